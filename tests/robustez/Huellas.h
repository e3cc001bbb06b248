#pragma once

// Fingerprints of every file under a folder, to prove that a refused job changed nothing.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace belvaro::robustez {

// Relative path to a 64-bit FNV-1a hash of the file's bytes and its size. Folders
// appear with an empty fingerprint, so a folder left behind shows too.
using Huellas = std::map<std::string, std::string>;

Huellas TomarHuellas(const std::filesystem::path& carpeta);

// The paths added, removed or changed between two fingerprints, one a line.
std::string Diferencias(const Huellas& antes, const Huellas& despues);

} // namespace belvaro::robustez
