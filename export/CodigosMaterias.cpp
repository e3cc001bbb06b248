#include "export/CodigosMaterias.h"

#include "app/Clipper.h"

#include <algorithm>

namespace belvaro {

namespace {

bool EsMayusculaAZ(char c) {
    return c >= 'A' && c <= 'Z';
}

// The base followed by the number k. When that exceeds 10 characters, a number of two
// digits replaces the last 2 characters of the first 10 (ABCDEFGH10), and a longer one is
// kept whole after as much of the base as fits (ABCDEFG100): every number gives a code
// of its own, so the search for a free one always ends.
std::string Numerado(const std::string& base, long long k) {
    const std::string numero = std::to_string(k);
    const std::string codigo = base + numero;
    if (codigo.size() <= kAnchoCodigo)
        return codigo;
    if (numero.size() <= 2)
        return codigo.substr(0, 8) + codigo.substr(codigo.size() - 2);
    return base.substr(0, kAnchoCodigo - std::min(numero.size(), kAnchoCodigo)) + numero;
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
    while (usados_.contains(Numerado(base, k)))
        ++k;
    return Numerado(base, k);
}

} // namespace belvaro
