#include "app/Clipper.h"

namespace belvaro {

namespace {
constexpr char kEspacio = ' ';
}

std::string RTrim(std::string_view texto) {
    while (!texto.empty() && texto.back() == kEspacio)
        texto.remove_suffix(1);
    return std::string(texto);
}

std::string LTrim(std::string_view texto) {
    while (!texto.empty() && texto.front() == kEspacio)
        texto.remove_prefix(1);
    return std::string(texto);
}

std::string AllTrim(std::string_view texto) { return LTrim(RTrim(texto)); }

std::string SoloMayusculas(std::string_view texto) {
    std::string resultado;
    for (char c : texto) {
        const auto codigo = static_cast<unsigned char>(c);
        if (codigo >= 0x41 && codigo <= 0x5A)
            resultado += c;
    }
    return resultado;
}

std::string Iniciales(std::string_view texto) {
    std::string resultado;
    for (std::size_t i = 0; i + 1 < texto.size(); ++i) {
        if (texto[i] == kEspacio)
            resultado += texto[i + 1];
    }
    return resultado;
}

std::string MayusculasAZ(std::string_view texto) {
    std::string resultado(texto);
    for (char& c : resultado) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return resultado;
}

std::string SinMayusculasNiMinusculas(std::string_view texto) {
    std::string resultado(texto);
    for (char& c : resultado) {
        const auto codigo = static_cast<unsigned char>(c);
        unsigned char plegado = codigo;
        if (codigo >= 'a' && codigo <= 'z')
            plegado = static_cast<unsigned char>(codigo - 0x20);
        else if (codigo >= 0xE0 && codigo <= 0xFE && codigo != 0xF7)
            plegado = static_cast<unsigned char>(codigo - 0x20); // à..þ to À..Þ
        else if (codigo == 0x9A || codigo == 0x9C || codigo == 0x9E)
            plegado = static_cast<unsigned char>(codigo - 0x10); // š œ ž to Š Œ Ž
        else if (codigo == 0xFF)
            plegado = 0x9F; // ÿ to Ÿ
        c = static_cast<char>(plegado);
    }
    return resultado;
}

} // namespace belvaro
