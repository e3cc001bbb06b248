#include "cli/Comandos.h"

#include <iostream>

namespace belvaro::cli {

// Placeholder until the subcommand lands.
int Exportar(const Argumentos&) {
    std::cerr << "Orden todavía no disponible.\n";
    return kError;
}

} // namespace belvaro::cli
