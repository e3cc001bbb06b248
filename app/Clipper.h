#pragma once

#include <string>
#include <string_view>

// Small helpers on single-byte (Windows-1252) text. A space is only the byte 0x20.
namespace belvaro {

std::string RTrim(std::string_view texto);
std::string LTrim(std::string_view texto);
std::string AllTrim(std::string_view texto);

// The bytes 'A'..'Z' of the text, in order (accented capitals are dropped).
std::string SoloMayusculas(std::string_view texto);

// The characters that immediately follow a space, in order.
std::string Iniciales(std::string_view texto);

// Upper-cases the letters a..z only; every other byte is left as it is.
std::string MayusculasAZ(std::string_view texto);

// The text with every Windows-1252 letter in upper case (a..z, à..þ except ÷, š, œ,
// ž, ÿ), for comparisons that ignore letter case the way the system's locale does.
std::string SinMayusculasNiMinusculas(std::string_view texto);

} // namespace belvaro
