#include "export/CodigosMaterias.h"

#include "app/Clipper.h"

namespace belvaro {

namespace {

bool EsMayusculaAZ(char c) { return c >= 'A' && c <= 'Z'; }

// The candidates for number k, in the order they are tried.
std::string FormaCorta(const std::string& base, long long k) {
    std::string codigo = base + std::to_string(k);
    if (codigo.size() > kAnchoCodigo)
        codigo = codigo.substr(0, 8) + codigo.substr(codigo.size() - 2);
    return codigo;
}

std::string FormaNumeroEntero(const std::string& base, long long k) {
    const std::string numero = std::to_string(k);
    const std::size_t sitio = numero.size() < kAnchoCodigo ? kAnchoCodigo - numero.size() : 0;
    return base.substr(0, sitio) + numero;
}

} // namespace

std::string CodigoDerivado(std::string_view nombre) {
    std::string codigo;
    if (!nombre.empty() && !EsMayusculaAZ(nombre.front()))
        codigo = nombre.front();
    codigo += SoloMayusculas(nombre);
    if (codigo.size() == 1) {
        if (nombre.find(' ') == std::string_view::npos)
            codigo = std::string(nombre.substr(0, 6));
        else
            codigo = nombre.front() + Iniciales(nombre);
    }
    return codigo;
}

std::string CodigoLargoDerivado(const std::string& codigo, std::string_view nombre) {
    if (codigo.size() > 4)
        return codigo;
    return std::string(nombre.substr(0, 10));
}

std::string NumeradorCodigos::Asignar(const std::string& codigo) {
    std::string elegido = codigo;
    if (codigo.empty() || usados_.contains(codigo))
        elegido = Numerar(codigo.substr(0, codigo.empty() ? 0 : codigo.size() - 1));
    usados_.insert(elegido);
    return elegido;
}

std::string NumeradorCodigos::Numerar(const std::string& base) {
    long long& k = siguiente_.try_emplace(base, 1).first->second;
    for (;; ++k) {
        std::string candidato = FormaCorta(base, k);
        if (!usados_.contains(candidato))
            return candidato;
        if (k >= 100 && base.size() + std::to_string(k).size() > kAnchoCodigo) {
            candidato = FormaNumeroEntero(base, k);
            if (!usados_.contains(candidato))
                return candidato;
        }
    }
}

} // namespace belvaro
