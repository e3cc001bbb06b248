#pragma once

// Helpers of the table tests: dBase files put together byte by byte (as other
// programs write them) and the header fields read back, independently of the engine.

#include "tables/Tabla.h"
#include "tests/support/Apoyo.h"

#include <cstdint>
#include <string>
#include <vector>

namespace belvaro::prueba {

struct CampoCrudo {
    std::string nombre;
    char tipo;
    int ancho;
    int decimales = 0;
};

// A dBase III file with these fields and records (each record's bytes after the
// deletion flag); borrados[r] marks record r deleted.
inline std::string DbfCrudo(const std::vector<CampoCrudo>& campos,
                            const std::vector<std::string>& registros,
                            const std::vector<bool>& borrados = {}, bool marcaFin = true) {
    const std::size_t largoCabecera = 32 + 32 * campos.size() + 1;
    std::size_t largoRegistro = 1;
    for (const auto& c : campos)
        largoRegistro += static_cast<std::size_t>(c.ancho);
    std::string b(32, '\0');
    b[0] = 0x03;
    b[1] = 124;
    b[2] = 5;
    b[3] = 17;
    for (int i = 0; i < 4; ++i)
        b[4 + i] = static_cast<char>((registros.size() >> (8 * i)) & 0xFF);
    b[8] = static_cast<char>(largoCabecera & 0xFF);
    b[9] = static_cast<char>(largoCabecera >> 8);
    b[10] = static_cast<char>(largoRegistro & 0xFF);
    b[11] = static_cast<char>(largoRegistro >> 8);
    b[29] = 0x03;
    for (const auto& c : campos) {
        std::string d(32, '\0');
        d.replace(0, c.nombre.size(), c.nombre);
        d[11] = c.tipo;
        d[16] = static_cast<char>(c.ancho);
        d[17] = static_cast<char>(c.decimales);
        b += d;
    }
    b += '\x0D';
    for (std::size_t r = 0; r < registros.size(); ++r) {
        b += (r < borrados.size() && borrados[r]) ? '*' : ' ';
        b += registros[r];
    }
    if (marcaFin)
        b += '\x1A';
    return b;
}

inline std::uint32_t Leer32(const std::string& b, std::size_t pos) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(b.at(pos + static_cast<std::size_t>(i)));
    return v;
}

inline unsigned Leer16(const std::string& b, std::size_t pos) {
    return static_cast<unsigned char>(b.at(pos)) |
           static_cast<unsigned>(static_cast<unsigned char>(b.at(pos + 1))) << 8;
}

} // namespace belvaro::prueba
