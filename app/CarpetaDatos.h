#pragma once

#include <filesystem>
#include <optional>

namespace belvaro {

// The host's table folder: --datos when given, else $BELVARO_ZTEMP, else C:\ZTEMP on
// Windows and $WINEPREFIX/drive_c/ZTEMP elsewhere (prefix ~/.wine by default).
std::filesystem::path
CarpetaZtemp(const std::optional<std::filesystem::path>& opcion = std::nullopt);

// Initial folder of the file dialog: the "seneca" folder inside the table folder.
std::filesystem::path CarpetaSeneca(const std::filesystem::path& carpetaDatos);

// The file the person chose is there (an empty path never is).
bool ExisteArchivoElegido(const std::filesystem::path& ruta);

// Folder of the running executable (catalogue, result file and help live there).
std::filesystem::path CarpetaEjecutable();

} // namespace belvaro
