#pragma once

// Runs the built belvaro-cli with its standard input from a file (never a terminal).

#include "tests/support/Apoyo.h"

#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace belvaro::prueba {

struct SalidaOrden {
    int estado = -1; // exit status
    std::string salida;
    std::string errores;
};

inline SalidaOrden EjecutarCli(const std::vector<std::string>& argumentos,
                               const std::string& entrada = "") {
    CarpetaTemporal carpeta;
    EscribirArchivo(carpeta / "entrada", entrada);
    const std::string cli = BELVARO_CLI;
    const pid_t hijo = ::fork();
    if (hijo == 0) {
        const int in = ::open((carpeta / "entrada").c_str(), O_RDONLY);
        const int out = ::open((carpeta / "salida").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open((carpeta / "errores").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
            ::dup2(err, 2) < 0)
            ::_exit(127);
        std::vector<char*> argv{const_cast<char*>(cli.c_str())};
        for (const std::string& argumento : argumentos)
            argv.push_back(const_cast<char*>(argumento.c_str()));
        argv.push_back(nullptr);
        ::execv(cli.c_str(), argv.data());
        ::_exit(127);
    }
    SalidaOrden resultado;
    int estado = 0;
    if (hijo > 0 && ::waitpid(hijo, &estado, 0) == hijo && WIFEXITED(estado))
        resultado.estado = WEXITSTATUS(estado);
    resultado.salida = LeerArchivo(carpeta / "salida");
    resultado.errores = LeerArchivo(carpeta / "errores");
    return resultado;
}

} // namespace belvaro::prueba
