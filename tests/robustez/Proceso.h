#pragma once

// Runs a program of the build as a child process, the way a user or the host would,
// with the limits a case needs: a file-size limit, another user, a kill at a moment.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace belvaro::robustez {

struct Limites {
    std::optional<long long> tamanoMaximoArchivo;       // RLIMIT_FSIZE in bytes; SIGXFSZ ignored
    std::optional<uid_t> usuario;                       // run as this uid (and gid) instead
    std::optional<std::chrono::microseconds> matarTras; // SIGKILL after this long
    std::chrono::seconds plazo{120};                    // SIGKILL after this, and fail
};

struct Resultado {
    int salida = -1;      // exit status, or -1 when ended by a signal
    int senal = 0;        // the signal that ended it, or 0
    bool vencido = false; // killed because it overran its deadline
    std::string salidaEstandar;
    std::string errores;
    std::chrono::microseconds duracion{0};

    // Everything the user saw, stdout then stderr.
    std::string Texto() const { return salidaEstandar + errores; }
};

// What a library or a sanitizer printed on stderr besides the program's own messages
// (libxml2's English lines, AddressSanitizer, UndefinedBehaviorSanitizer): empty when
// there is none. A sanitizer's exit status 1 looks like a refusal, so this is checked
// too.
std::string RuidoAjeno(const Resultado& resultado);

// Runs `programa` with `argumentos`, stdin from /dev/null (no terminal), and waits.
Resultado Ejecutar(const std::filesystem::path& programa,
                   const std::vector<std::string>& argumentos, const Limites& limites = {});

} // namespace belvaro::robustez
