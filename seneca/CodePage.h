#pragma once

#include <memory>
#include <string>
#include <string_view>

// Table text is single-byte Windows-1252; document text is UTF-8 (libxml2's own).
namespace belvaro {

// Document text to table text. Every character the code page cannot hold becomes '?'.
std::string Utf8AAnsi(std::string_view utf8);

// Document text to table text, as Utf8AAnsi, for loops that convert many values: the
// platform converter is opened on the first text that needs it and kept until the
// object goes.
class ConversorAnsi {
public:
    ConversorAnsi();
    ~ConversorAnsi();
    ConversorAnsi(ConversorAnsi&&) noexcept;
    ConversorAnsi& operator=(ConversorAnsi&&) noexcept;

    std::string operator()(std::string_view utf8);

    class Iconv; // one descriptor of the platform converter, either way

private:
    std::unique_ptr<Iconv> iconv_;
};

// Table text to document text. Exact: every byte has one character.
std::string AnsiAUtf8(std::string_view ansi);

} // namespace belvaro
