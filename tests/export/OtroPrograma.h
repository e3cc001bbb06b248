#pragma once

// Another process that holds a table open exclusively until the object goes: through
// the table engine, or only the file lock the engine takes (for files that are not
// dBase tables, such as indexes).

#include "tables/ArchivoTabla.h"
#include "tables/Tabla.h"

#include <filesystem>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace belvaro::prueba {

class OtroPrograma {
  public:
    enum class Como { Tabla, SoloArchivo };

    OtroPrograma(const std::filesystem::path& carpeta, const std::string& tabla,
                 Como como = Como::Tabla) {
        int listo[2];
        if (::pipe(listo) != 0 || ::pipe(fin_) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(listo[0]);
            ::close(fin_[1]);
            try {
                std::optional<Tabla> abierta;
                std::optional<dbf::ArchivoTabla> archivo;
                if (como == Como::Tabla)
                    abierta.emplace(carpeta, tabla, Acceso::Exclusivo);
                else
                    archivo.emplace(RutaTabla(carpeta, tabla), tabla, Acceso::Exclusivo);
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
