#include "tests/robustez/Proceso.h"

#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace belvaro::robustez {

namespace fs = std::filesystem;

namespace {

// In the child, after fork: only async-signal-safe calls until exec.
// Output goes through pipes, which the file-size limit does not touch.
[[noreturn]] void Hijo(const fs::path& programa, const std::vector<std::string>& argumentos,
                       const Limites& limites, int out, int err) {
    const int nulo = ::open("/dev/null", O_RDONLY);
    if (nulo < 0 || ::dup2(nulo, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0)
        ::_exit(126);
    if (limites.tamanoMaximoArchivo) {
        // A write past the limit fails with EFBIG instead of killing the process.
        ::signal(SIGXFSZ, SIG_IGN);
        const auto tope = static_cast<rlim_t>(*limites.tamanoMaximoArchivo);
        const rlimit limite{tope, tope};
        if (::setrlimit(RLIMIT_FSIZE, &limite) != 0)
            ::_exit(126);
    }
    if (limites.usuario && (::setgid(*limites.usuario) != 0 || ::setuid(*limites.usuario) != 0))
        ::_exit(126);
    std::vector<char*> argv;
    std::string nombre = programa.string();
    argv.push_back(nombre.data());
    std::vector<std::string> copias = argumentos;
    for (auto& a : copias)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(nombre.c_str(), argv.data());
    ::_exit(127);
}

// Moves what is waiting in a non-blocking pipe into `texto`.
void Vaciar(int fd, std::string& texto) {
    char bloque[4096];
    for (ssize_t n; (n = ::read(fd, bloque, sizeof bloque)) > 0;)
        texto.append(bloque, static_cast<std::size_t>(n));
}

} // namespace

std::string RuidoAjeno(const Resultado& resultado) {
    for (const char* ruido : {"encoding error", "I/O error", "parser error", "AddressSanitizer",
                              "LeakSanitizer", "runtime error:"}) {
        const auto donde = resultado.errores.find(ruido);
        if (donde != std::string::npos)
            return resultado.errores.substr(donde, resultado.errores.find('\n', donde) - donde);
    }
    return {};
}

Resultado Ejecutar(const fs::path& programa, const std::vector<std::string>& argumentos,
                   const Limites& limites) {
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe falló");
    const auto inicio = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork falló");
    if (pid == 0)
        Hijo(programa, argumentos, limites, out[1], err[1]);
    ::close(out[1]);
    ::close(err[1]);
    ::fcntl(out[0], F_SETFL, O_NONBLOCK);
    ::fcntl(err[0], F_SETFL, O_NONBLOCK);

    Resultado resultado;
    int estado = 0;
    bool matado = false;
    while (true) {
        const pid_t hecho = ::waitpid(pid, &estado, WNOHANG);
        Vaciar(out[0], resultado.salidaEstandar);
        Vaciar(err[0], resultado.errores);
        if (hecho == pid)
            break;
        const auto pasado = std::chrono::steady_clock::now() - inicio;
        if (!matado && limites.matarTras && pasado >= *limites.matarTras) {
            ::kill(pid, SIGKILL);
            matado = true;
        }
        if (!matado && pasado >= limites.plazo) {
            ::kill(pid, SIGKILL);
            matado = true;
            resultado.vencido = true;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    resultado.duracion = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - inicio);
    if (WIFEXITED(estado))
        resultado.salida = WEXITSTATUS(estado);
    else if (WIFSIGNALED(estado))
        resultado.senal = WTERMSIG(estado);
    Vaciar(out[0], resultado.salidaEstandar);
    Vaciar(err[0], resultado.errores);
    ::close(out[0]);
    ::close(err[0]);
    return resultado;
}

} // namespace belvaro::robustez
