#pragma once

#include <string>
#include <vector>

namespace belvaro::cli {

// Exit statuses of belvaro-cli.
enum Salida : int {
    kOk = 0,              // the job ran to its end
    kError = 1,           // the job stopped on an error (message on stderr)
    kUso = 2,             // wrong words on the command line
    kNoExisteArchivo = 3, // "No existe archivo"
    kDetenido = 4,        // the job was stopped before its end (e.g. courses incomplete)
    kSinPeriodos = 5,     // import: PERIODOS.DBF missing
};

using Argumentos = std::vector<std::string>;

// Each subcommand gets the words after its own name.
int Volcar(const Argumentos& args);
int Exportar(const Argumentos& args);
int Importar(const Argumentos& args);

} // namespace belvaro::cli
