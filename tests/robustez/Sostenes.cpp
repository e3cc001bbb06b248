#include "tests/robustez/Sostenes.h"

#include "tables/Tabla.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace belvaro::robustez {

TablaAbiertaPorOtro::TablaAbiertaPorOtro(const std::filesystem::path& carpeta,
                                         const std::string& tabla) {
    int listo[2], fin[2];
    if (::pipe(listo) != 0 || ::pipe(fin) != 0)
        throw std::runtime_error("pipe falló");
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(listo[0]);
        ::close(fin[1]);
        try {
            Tabla abierta(carpeta, tabla, Acceso::Exclusivo);
            char c = 1;
            (void)!::write(listo[1], &c, 1);
            (void)!::read(fin[0], &c, 1); // until the test closes its end
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    ::close(listo[1]);
    ::close(fin[0]);
    fin_ = fin[1];
    char c = 0;
    const bool abierta = ::read(listo[0], &c, 1) == 1;
    ::close(listo[0]);
    if (!abierta)
        throw std::runtime_error("el otro proceso no pudo abrir " + tabla);
}

TablaAbiertaPorOtro::~TablaAbiertaPorOtro() {
    ::close(fin_);
    if (pid_ > 0)
        ::waitpid(pid_, nullptr, 0);
}

CarpetaInmutable::CarpetaInmutable(std::filesystem::path carpeta) : carpeta_(std::move(carpeta)) {
    ok_ = Marcar(true);
}

CarpetaInmutable::~CarpetaInmutable() {
    if (ok_)
        Marcar(false);
}

bool CarpetaInmutable::Marcar(bool inmutable) const {
    const int fd = ::open(carpeta_.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int atributos = 0;
    bool hecho = ::ioctl(fd, FS_IOC_GETFLAGS, &atributos) == 0;
    if (hecho) {
        atributos = inmutable ? (atributos | FS_IMMUTABLE_FL) : (atributos & ~FS_IMMUTABLE_FL);
        hecho = ::ioctl(fd, FS_IOC_SETFLAGS, &atributos) == 0;
    }
    ::close(fd);
    return hecho;
}

} // namespace belvaro::robustez
