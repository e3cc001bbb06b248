#pragma once

// The fuzz targets read their input through the same file-based entry points the
// program uses; each process keeps one scratch folder and rewrites one file in it.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace belvaro::fuzz {

inline const std::filesystem::path& CarpetaFuzz() {
    static const std::filesystem::path carpeta = [] {
        auto ruta = std::filesystem::temp_directory_path() /
                    ("belvaro-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(ruta);
        return ruta;
    }();
    return carpeta;
}

inline std::filesystem::path EscribirEntrada(const std::string& nombre, const uint8_t* datos,
                                             std::size_t tamano) {
    const auto ruta = CarpetaFuzz() / nombre;
    std::ofstream salida(ruta, std::ios::binary | std::ios::trunc);
    salida.write(reinterpret_cast<const char*>(datos), static_cast<std::streamsize>(tamano));
    return ruta;
}

} // namespace belvaro::fuzz
