#pragma once

#include "tables/Tabla.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The bytes of a dBase III+/IV file: the 32-byte header, one 32-byte descriptor
// per field, the 0x0D terminator, the records (a deletion flag and the fields) and
// the 0x1A end marker.
namespace belvaro::dbf {

constexpr std::uint8_t kVersionDbase3 = 0x03;
// Language driver 0x03: Windows-1252 ("Windows ANSI") for dBase, dbfread and GDAL.
constexpr std::uint8_t kDriverWindows1252 = 0x03;
constexpr std::size_t kLargoCabecera = 32;
constexpr std::size_t kLargoDescriptor = 32;
constexpr char kTerminador = 0x0D;
constexpr char kFinDatos = 0x1A;
constexpr char kBorrado = '*';
constexpr char kVivo = ' ';
constexpr std::size_t kLargoNombre = 10;

// What the header and descriptors say, checked against each other and the file.
struct Estructura {
    std::uint8_t version = kVersionDbase3;
    std::uint32_t registros = 0;
    std::size_t largoCabecera = 0;
    std::size_t largoRegistro = 0;
    std::vector<InfoCampo> campos;
    std::vector<std::size_t> desplazamientos; // of each field inside a record, after the flag
};

// Reads and checks the structure of a whole file's bytes. A damaged file throws
// Error naming `ruta`; nothing is read beyond `bytes`.
Estructura LeerEstructura(std::string_view bytes, const std::filesystem::path& ruta);

// The header and descriptors of a table with these fields and this many records,
// dated today.
std::string EscribirCabecera(const std::vector<InfoCampo>& campos, std::uint32_t registros);

// The eight header bytes that change when records are added or changed: the date of
// the last update (offset 1) and the record count (offset 4).
std::string FechaYRegistros(std::uint32_t registros);
constexpr std::size_t kPosicionFecha = 1;

} // namespace belvaro::dbf
