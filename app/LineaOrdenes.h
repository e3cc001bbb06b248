#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the command line asks of the desktop program. Exactly two parameters, an
// action word and the host window's handle in hexadecimal, is host mode; any
// other count is an ordinary window.
namespace belvaro {

enum class Accion { Ninguna, Importar, Exportar };

struct LineaOrdenes {
    int cuenta = 0;                          // parameters after the program name
    std::string palabra;                     // the action word as given
    std::optional<std::uintptr_t> anfitrion; // the parsed handle, host mode only
    std::string errorHandle;                 // set when the handle does not parse

    bool DosParametros() const { return cuenta == 2; }
    // The action word, lower-cased, when there are exactly two parameters.
    Accion AccionPedida() const;
};

LineaOrdenes LeerLineaOrdenes(const std::vector<std::string>& parametros);

// "$" followed by hexadecimal digits, as the host writes its handle. Throws Error
// "'$XYZ' no es un valor entero válido" for anything else.
std::uintptr_t LeerHandle(const std::string& textoConDolar);

} // namespace belvaro
