#pragma once

// Another process that holds a table open exclusively until the object goes.

#include "tables/Tabla.h"

#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace belvaro::prueba {

class OtroPrograma {
public:
    OtroPrograma(const std::filesystem::path& carpeta, const std::string& tabla) {
        int listo[2];
        if (::pipe(listo) != 0 || ::pipe(fin_) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(listo[0]);
            ::close(fin_[1]);
            try {
                Tabla abierta(carpeta, tabla, Acceso::Exclusivo);
                char c = 1;
                (void)!::write(listo[1], &c, 1);
                (void)!::read(fin_[0], &c, 1); // until the parent closes its end
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(0);
        }
        ::close(listo[1]);
        ::close(fin_[0]);
        char c = 0;
        abierta_ = ::read(listo[0], &c, 1) == 1;
        ::close(listo[0]);
    }
    ~OtroPrograma() {
        ::close(fin_[1]);
        if (pid_ > 0)
            ::waitpid(pid_, nullptr, 0);
    }
    OtroPrograma(const OtroPrograma&) = delete;
    OtroPrograma& operator=(const OtroPrograma&) = delete;

    // The other process has the table open.
    bool Abierta() const { return abierta_; }

private:
    int fin_[2] = {-1, -1};
    pid_t pid_ = -1;
    bool abierta_ = false;
};

} // namespace belvaro::prueba
