#include "app/LineaOrdenes.h"

#include "app/Error.h"

#include <algorithm>
#include <charconv>

namespace belvaro {

Accion LineaOrdenes::AccionPedida() const {
    if (!DosParametros())
        return Accion::Ninguna;
    std::string minusculas = palabra;
    std::transform(minusculas.begin(), minusculas.end(), minusculas.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    if (minusculas == "importar")
        return Accion::Importar;
    if (minusculas == "exportar")
        return Accion::Exportar;
    return Accion::Ninguna;
}

std::uintptr_t LeerHandle(const std::string& textoConDolar) {
    const auto invalido = [&] {
        return Error("'" + textoConDolar + "' no es un valor entero válido");
    };
    if (textoConDolar.size() < 2 || textoConDolar.front() != '$')
        throw invalido();
    const char* inicio = textoConDolar.data() + 1;
    const char* fin = textoConDolar.data() + textoConDolar.size();
    std::uintptr_t valor = 0;
    const auto [resto, error] = std::from_chars(inicio, fin, valor, 16);
    if (error != std::errc() || resto != fin)
        throw invalido();
    return valor;
}

LineaOrdenes LeerLineaOrdenes(const std::vector<std::string>& parametros) {
    LineaOrdenes linea;
    linea.cuenta = static_cast<int>(parametros.size());
    if (!linea.DosParametros())
        return linea;
    linea.palabra = parametros[0];
    try {
        linea.anfitrion = LeerHandle("$" + parametros[1]);
    } catch (const Error& e) {
        linea.errorHandle = e.what();
    }
    return linea;
}

} // namespace belvaro
