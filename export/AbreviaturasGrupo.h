#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace belvaro {

// The group abbreviations given so far in one run of CrearGrupos. Two abbreviations
// that differ only in letter case count as the same one.
class AbreviaturasGrupo {
  public:
    // The first free abbreviation made of the base with its last character replaced by
    // A, B, C ... in character-code order (after Z comes [). Marks it as given. Throws
    // Error, naming the base and the unit, when no single-byte character is left.
    std::string Asignar(std::string_view base, std::string_view unidad);

  private:
    std::unordered_set<std::string> dadas_; // folded with SinMayusculasNiMinusculas
};

} // namespace belvaro
