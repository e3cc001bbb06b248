#pragma once

#include <filesystem>
#include <string_view>

namespace belvaro {

// Removes the table's old ".DBF" and ".MDX" (found without regard to case) before a
// step builds it again. A file that is there but cannot be removed throws Error: a
// stale index beside a new table would mislead the host.
void BorrarTablaAnterior(const std::filesystem::path& carpeta, std::string_view nombre);

} // namespace belvaro
