#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace belvaro::cli {

// The level and year of a course, as the courses table holds them (Windows-1252).
struct NivelCurso {
    std::string nivel;
    std::string curso;
};

// Course key (Windows-1252) to its level and year.
using NivelesPorClave = std::map<std::string, NivelCurso>;

// Reads a levels file: UTF-8 lines CLAVE;NIVEL;CURSO, an optional header line with
// those three words, blank lines ignored. A NIVEL may be left empty, and so may a
// CURSO. Throws Error naming the file and line of anything else.
NivelesPorClave LeerNiveles(const std::filesystem::path& archivo);

} // namespace belvaro::cli
