#include "tables/ArchivoTabla.h"

#include "app/Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace belvaro::dbf {

namespace {

std::string Causa() {
    return std::strerror(errno);
}

// Locks the whole file without waiting; false when another description holds it.
bool Bloquear(int fd, Acceso acceso) {
    struct flock cerrojo {};
    cerrojo.l_type = acceso == Acceso::Exclusivo ? F_WRLCK : F_RDLCK;
    cerrojo.l_whence = SEEK_SET;
    cerrojo.l_start = 0;
    cerrojo.l_len = 0;
    return fcntl(fd, F_OFD_SETLK, &cerrojo) == 0;
}

} // namespace

std::string MensajeTablaOcupada(const std::string& nombre, const std::filesystem::path& ruta) {
    return "La tabla " + nombre + " está abierta en otro programa (" + ruta.string() +
           "); ciérrelo y vuelva a intentarlo.";
}

ArchivoTabla::ArchivoTabla(const std::filesystem::path& ruta, const std::string& nombre,
                           Acceso acceso)
    : ruta_(ruta), nombre_(nombre) {
    fd_ = ::open(ruta.c_str(), O_RDWR | O_CLOEXEC);
    escribible_ = fd_ >= 0;
    if (fd_ < 0 && (errno == EACCES || errno == EROFS) && acceso == Acceso::Compartido)
        fd_ = ::open(ruta.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        if (errno == ENOENT)
            throw Error("No existe la tabla " + nombre + " (" + ruta.string() + ").");
        throw Error("No se pudo abrir la tabla " + nombre + " (" + ruta.string() + "): " + Causa() +
                    ".");
    }
    if (!Bloquear(fd_, acceso)) {
        const int causa = errno;
        Cerrar();
        if (causa == EAGAIN || causa == EACCES)
            throw Error(MensajeTablaOcupada(nombre, ruta));
        throw Error("No se pudo bloquear la tabla " + nombre + " (" + ruta.string() +
                    "): " + std::strerror(causa) + ".");
    }
}

ArchivoTabla::~ArchivoTabla() {
    Cerrar();
}

ArchivoTabla::ArchivoTabla(ArchivoTabla&& otro) noexcept
    : fd_(std::exchange(otro.fd_, -1)), escribible_(otro.escribible_), ruta_(std::move(otro.ruta_)),
      nombre_(std::move(otro.nombre_)) {}

ArchivoTabla& ArchivoTabla::operator=(ArchivoTabla&& otro) noexcept {
    if (this != &otro) {
        Cerrar();
        fd_ = std::exchange(otro.fd_, -1);
        escribible_ = otro.escribible_;
        ruta_ = std::move(otro.ruta_);
        nombre_ = std::move(otro.nombre_);
    }
    return *this;
}

void ArchivoTabla::Cerrar() noexcept {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

std::string ArchivoTabla::LeerTodo() const {
    std::string bytes;
    char trozo[1 << 16];
    for (off_t posicion = 0;;) {
        const ssize_t n = ::pread(fd_, trozo, sizeof trozo, posicion);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw Error("No se pudo leer la tabla " + nombre_ + " (" + ruta_.string() +
                        "): " + Causa() + ".");
        if (n == 0)
            return bytes;
        bytes.append(trozo, static_cast<std::size_t>(n));
        posicion += n;
    }
}

void ArchivoTabla::Escribir(std::size_t posicion, std::string_view bytes) const {
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(posicion));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw Error("No se pudo escribir la tabla " + nombre_ + " (" + ruta_.string() +
                        "): " + Causa() + ".");
        bytes.remove_prefix(static_cast<std::size_t>(n));
        posicion += static_cast<std::size_t>(n);
    }
}

} // namespace belvaro::dbf
