#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The result code the host reads back: Zeltora.ini, section Transformadores,
// key Transformado. Only that line is touched; every other byte of the host's
// file (sections, keys, comments, line endings, order) stays as it was.
namespace belvaro {

inline constexpr const char* kArchivoResultado = "Zeltora.ini";
inline constexpr const char* kSeccionResultado = "Transformadores";
inline constexpr const char* kClaveResultado = "Transformado";

// The text of an INI file with `clave`=`valor` set in `seccion`. Section and key
// names match without regard to case and to blanks around them; the first
// section and the first key of that name win. A key missing from its section is
// added after the section's last non-blank line; a missing section is added at
// the end. New lines take the file's line ending (CRLF for a new or empty file).
std::string ActualizarIni(std::string_view contenido, std::string_view seccion,
                          std::string_view clave, std::string_view valor);

// Writes Transformado into the INI file at `ruta` (created when missing), through
// a temporary file in the same folder renamed into place. Throws Error naming the
// file when it cannot be read or written.
void EscribirTransformado(const std::filesystem::path& ruta, int transformado);

} // namespace belvaro
