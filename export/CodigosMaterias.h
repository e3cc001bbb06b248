#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>

// How a subject's short and long codes are made when the catalogue does not give them.
namespace belvaro {

// The widest short code the timetable accepts.
inline constexpr std::size_t kAnchoCodigo = 10;

// The code made from the name: a first character that is no capital A..Z, then the
// capitals A..Z; a single character so far becomes the first 6 characters of a name
// without spaces, or the first character followed by the initials. Empty only for an
// empty name.
std::string CodigoDerivado(std::string_view nombre);

// The long code of a subject that has none: the code itself when it is longer than 4
// characters, else the first 10 characters of the name.
std::string CodigoLargoDerivado(const std::string& codigo, std::string_view nombre);

// Hands out short codes that no earlier subject holds. A code already taken (or an
// empty one) is numbered: its last character is dropped and 1, 2, 3... appended until
// the result is free. A numbered code never exceeds 10 characters: from ABCDEFGHI9 on,
// the number takes the place of the last characters (ABCDEFGH10, ABCDEFG100), and each
// shortened code is tested like any other.
class NumeradorCodigos {
  public:
    explicit NumeradorCodigos(std::set<std::string>& usados) : usados_(usados) {}

    // The code itself when free, else the first free numbered form; the result is
    // added to the used codes.
    std::string Asignar(const std::string& codigo);

  private:
    std::string Numerar(const std::string& base);

    std::set<std::string>& usados_;
    // Numbers below this one are known to be taken for the base (the used codes only
    // grow), so each search starts where the last one for the same base ended.
    std::map<std::string, long long> siguiente_;
};

} // namespace belvaro
