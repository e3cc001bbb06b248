#pragma once

#include <string>
#include <string_view>

// Table text is single-byte Windows-1252; document text is UTF-8 (libxml2's own).
namespace belvaro {

// Document text to table text. Every character the code page cannot hold becomes '?'.
std::string Utf8AAnsi(std::string_view utf8);

// Table text to document text. Exact: every byte has one character.
std::string AnsiAUtf8(std::string_view ansi);

} // namespace belvaro
