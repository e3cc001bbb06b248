#pragma once

// The damaged inputs of the bad-input matrix: Séneca files, levels files and tables.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace belvaro::robustez {

// A small school, block by block, in the order a Séneca file has them. The first block
// (ANNO_ACADEMICO) holds its values directly; the others one record each row.
using Registro = std::vector<std::string>;
using Bloques = std::vector<std::pair<std::string, std::vector<Registro>>>;
Bloques ColegioPequeno();
std::string XmlDe(const Bloques& bloques);
// CLAVE;NIVEL;CURSO of every course of ColegioPequeno.
std::string NivelesColegioPequeno();

// Documents that are not (whole, honest, reasonable) Séneca files.
std::string BasuraBinaria();
std::string XmlQueNoEsSeneca();
std::string Truncado(const std::string& xml);
std::string CodificacionFalsa(); // declares UTF-8, holds Latin-1 bytes
std::string Utf16Roto();         // UTF-16 with a broken surrogate pair
std::string BombaDeEntidades();
std::string EntidadExterna(const std::filesystem::path& secreto);
std::string Anidado(int profundidad);
// A sparse file of `tamano` bytes (no disk is used for the hole).
void ArchivoDisperso(const std::filesystem::path& ruta, std::uintmax_t tamano);

// Tables damaged in place.
void Truncar(const std::filesystem::path& tabla, double fraccion);
void CabeceraMentirosa(const std::filesystem::path& tabla, std::uint32_t registros,
                       std::uint16_t longitudRegistro);

} // namespace belvaro::robustez
