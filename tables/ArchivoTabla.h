#pragma once

#include "tables/Tabla.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace belvaro::dbf {

// The open file of a table and the operating-system lock on it (an open-file-
// description lock, so it also holds between two tables of one process). Closing
// the descriptor releases the lock.
class ArchivoTabla {
public:
    ArchivoTabla() = default;
    // Opens and locks; `nombre` names the table in messages. Exclusive access needs
    // a writable file; shared access falls back to reading only.
    ArchivoTabla(const std::filesystem::path& ruta, const std::string& nombre, Acceso acceso);
    ~ArchivoTabla();
    ArchivoTabla(ArchivoTabla&& otro) noexcept;
    ArchivoTabla& operator=(ArchivoTabla&& otro) noexcept;
    ArchivoTabla(const ArchivoTabla&) = delete;
    ArchivoTabla& operator=(const ArchivoTabla&) = delete;

    bool Abierto() const { return fd_ >= 0; }
    bool Escribible() const { return escribible_; }
    std::string LeerTodo() const;
    void Escribir(std::size_t posicion, std::string_view bytes) const;
    void Cerrar() noexcept;

private:
    int fd_ = -1;
    bool escribible_ = false;
    std::filesystem::path ruta_;
    std::string nombre_;
};

// The message for a table that another program holds.
std::string MensajeTablaOcupada(const std::string& nombre, const std::filesystem::path& ruta);

} // namespace belvaro::dbf
