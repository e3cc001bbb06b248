#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The subject catalogue: Séneca subject names with the short and long code the
// export gives them. Kept as a UTF-8 text file in the repository and shipped as the
// dBase table SENEMATERIAS.DBF beside the executables.
namespace belvaro::catalogo {

// Widths of the catalogue's character fields.
inline constexpr int kAnchoNombre = 80;
inline constexpr int kAnchoCodigo = 10;
inline constexpr int kAnchoCodigoLargo = 10;

// One subject, its texts already in Windows-1252.
struct Materia {
    std::string nombre;
    std::string cod;
    std::string codLargo;
};

// Reads the catalogue text file: a header line "NOMBRE;COD;CODLARGO", then one subject
// per line with the three values separated by ';'. Blank lines are ignored. Throws
// Error naming the file and line of the first value that the table could not hold
// as written: missing name or code, too long, a character outside Windows-1252,
// spaces at either end, or a name already listed (the export takes the first).
std::vector<Materia> LeerCatalogo(const std::filesystem::path& csv);

// Writes the subjects, in order, as the dBase table at `dbf`, replacing it only once
// it is complete.
void EscribirCatalogo(const std::vector<Materia>& materias, const std::filesystem::path& dbf);

} // namespace belvaro::catalogo
