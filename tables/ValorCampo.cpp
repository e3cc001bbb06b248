#include "tables/ValorCampo.h"

#include "app/Error.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace belvaro::dbf {

namespace {

bool EsNumerico(char tipo) {
    return tipo == 'N' || tipo == 'F';
}

std::string_view SinBlancosFinales(std::string_view s) {
    const auto fin = s.find_last_not_of(' ');
    return fin == std::string_view::npos ? std::string_view{} : s.substr(0, fin + 1);
}

std::string_view SinBlancos(std::string_view s) {
    s = SinBlancosFinales(s);
    const auto inicio = s.find_first_not_of(' ');
    return inicio == std::string_view::npos ? std::string_view{} : s.substr(inicio);
}

std::string Donde(const Lugar& l) {
    std::string d = "el campo " + l.campo.nombre + " de la tabla " + l.tabla;
    if (l.registro > 0)
        d += " (registro " + std::to_string(l.registro) + ")";
    return d;
}

[[noreturn]] void NoAdmite(const Lugar& l, const std::string& que) {
    throw Error("No se puede guardar " + que + " en " + Donde(l) + ", de tipo " +
                std::string(1, l.campo.tipo) + ".");
}

[[noreturn]] void NoCabe(const Lugar& l, std::string_view valor) {
    throw Error("El valor " + std::string(valor) + " no cabe en " + Donde(l) + " (ancho " +
                std::to_string(l.campo.ancho) + ").");
}

std::int32_t Binario32(std::string_view b) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(b[static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(v);
}

template <typename T> std::optional<T> Numero(std::string_view s) {
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    T v{};
    const auto [fin, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || fin != s.data() + s.size())
        return std::nullopt;
    if constexpr (std::is_floating_point_v<T>)
        if (!std::isfinite(v))
            return std::nullopt;
    return v;
}

std::string Canonico(double v) {
    if (v == 0)
        v = 0; // no "-0"
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// Right-aligned into the field, or NoCabe.
void Alinear(const Lugar& l, const std::string& texto, char* destino) {
    const auto ancho = static_cast<std::size_t>(l.campo.ancho);
    if (texto.size() > ancho)
        NoCabe(l, texto);
    std::memset(destino, ' ', ancho - texto.size());
    std::memcpy(destino + (ancho - texto.size()), texto.data(), texto.size());
}

// Left-aligned and blank-padded; too long a text is cut.
void Rellenar(const Lugar& l, std::string_view texto, char* destino) {
    const auto ancho = static_cast<std::size_t>(l.campo.ancho);
    const auto n = std::min(texto.size(), ancho);
    if (n > 0) // an empty view may have no data at all
        std::memcpy(destino, texto.data(), n);
    std::memset(destino + n, ' ', ancho - n);
}

std::string ConDecimales(std::string entero, int decimales) {
    if (decimales > 0)
        entero += "." + std::string(static_cast<std::size_t>(decimales), '0');
    return entero;
}

// "T", "F" or "" from the first letter of a truth value; none when it is no truth value.
std::optional<std::string> Verdad(std::string_view s) {
    s = SinBlancos(s);
    if (s.empty())
        return std::string{};
    switch (s.front()) {
    case 'T':
    case 't':
    case 'Y':
    case 'y':
        return std::string("T");
    case 'F':
    case 'f':
    case 'N':
    case 'n':
        return std::string("F");
    default:
        return std::nullopt;
    }
}

} // namespace

std::string Texto(const InfoCampo& campo, std::string_view bytes) {
    switch (campo.tipo) {
    case 'C':
        return std::string(SinBlancosFinales(bytes));
    case 'N':
    case 'F':
    case 'D':
        return std::string(SinBlancos(bytes));
    case 'L':
        return Verdad(bytes.substr(0, 1)).value_or("");
    case 'I':
        return std::to_string(Binario32(bytes));
    default:
        return {};
    }
}

bool EsBlanco(const InfoCampo& campo, std::string_view bytes) {
    switch (campo.tipo) {
    case 'I':
        return false;
    case 'C':
    case 'N':
    case 'F':
    case 'D':
    case 'L':
        return Texto(campo, bytes).empty();
    default:
        return true;
    }
}

long long Entero(const Lugar& l, std::string_view bytes) {
    const auto texto = Texto(l.campo, bytes);
    if (l.campo.tipo == 'I')
        return Binario32(bytes);
    if (EsNumerico(l.campo.tipo)) {
        if (texto.empty())
            return 0;
        if (auto v = Numero<long long>(texto))
            return *v;
        if (auto d = Numero<double>(texto); d && std::trunc(*d) == *d && std::abs(*d) < 9e18)
            return static_cast<long long>(*d);
    } else if (auto v = Numero<long long>(SinBlancos(texto))) {
        return *v;
    }
    throw Error("El valor «" + texto + "» de " + Donde(l) + " no es un número entero.");
}

double Flotante(const Lugar& l, std::string_view bytes) {
    if (l.campo.tipo == 'I')
        return Binario32(bytes);
    const auto texto = Texto(l.campo, bytes);
    if (EsNumerico(l.campo.tipo) && texto.empty())
        return 0;
    if (auto v = Numero<double>(SinBlancos(texto)))
        return *v;
    throw Error("El valor «" + texto + "» de " + Donde(l) + " no es un número.");
}

bool Logico(const Lugar& l, std::string_view bytes) {
    const auto texto = Texto(l.campo, bytes);
    if (auto v = Verdad(texto))
        return *v == "T";
    throw Error("El valor «" + texto + "» de " + Donde(l) + " no es un valor lógico.");
}

void PonerTexto(const Lugar& l, std::string_view valor, char* destino) {
    switch (l.campo.tipo) {
    case 'C':
        return Rellenar(l, valor, destino);
    case 'N':
    case 'F':
    case 'I': {
        const auto limpio = SinBlancos(valor);
        if (limpio.empty() && l.campo.tipo != 'I')
            return Rellenar(l, {}, destino);
        if (auto v = Numero<long long>(limpio))
            return PonerEntero(l, *v, destino);
        if (auto d = Numero<double>(limpio))
            return PonerFlotante(l, *d, destino);
        throw Error("«" + std::string(valor) + "» no es un número válido para " + Donde(l) + ".");
    }
    case 'L': {
        if (auto v = Verdad(valor))
            return Rellenar(l, v->empty() ? " " : *v, destino);
        throw Error("«" + std::string(valor) + "» no es un valor lógico válido para " + Donde(l) +
                    ".");
    }
    case 'D': {
        const auto limpio = SinBlancos(valor);
        const bool digitos = limpio.find_first_not_of("0123456789") == std::string_view::npos;
        if (limpio.empty() || (limpio.size() == 8 && digitos))
            return Rellenar(l, limpio, destino);
        throw Error("«" + std::string(valor) + "» no es una fecha aaaammdd válida para " +
                    Donde(l) + ".");
    }
    default:
        NoAdmite(l, "un texto");
    }
}

void PonerEntero(const Lugar& l, long long valor, char* destino) {
    switch (l.campo.tipo) {
    case 'N':
    case 'F':
        return Alinear(l, ConDecimales(std::to_string(valor), l.campo.decimales), destino);
    case 'C': {
        const auto texto = std::to_string(valor);
        if (texto.size() > static_cast<std::size_t>(l.campo.ancho))
            NoCabe(l, texto);
        return Rellenar(l, texto, destino);
    }
    case 'I': {
        if (valor < std::numeric_limits<std::int32_t>::min() ||
            valor > std::numeric_limits<std::int32_t>::max())
            NoCabe(l, std::to_string(valor));
        const auto v = static_cast<std::uint32_t>(static_cast<std::int32_t>(valor));
        for (int i = 0; i < 4; ++i)
            destino[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return;
    }
    default:
        NoAdmite(l, "un número");
    }
}

void PonerFlotante(const Lugar& l, double valor, char* destino) {
    if (!std::isfinite(valor))
        throw Error("No se puede guardar un número no finito en " + Donde(l) + ".");
    switch (l.campo.tipo) {
    case 'N':
    case 'F': {
        if (std::abs(valor) >= 1e21)
            NoCabe(l, Canonico(valor));
        char buf[400]; // up to 21 digits, a sign, a point and 255 decimals
        const auto r = std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::fixed,
                                     l.campo.decimales);
        std::string texto(buf, r.ptr);
        if (texto.front() == '-' && texto.find_first_not_of("-0.") == std::string::npos)
            texto.erase(0, 1); // a value that rounds to zero is written without a sign
        return Alinear(l, texto, destino);
    }
    case 'I':
        if (std::trunc(valor) != valor || std::abs(valor) > 3e9)
            NoCabe(l, Canonico(valor));
        return PonerEntero(l, static_cast<long long>(valor), destino);
    case 'C': {
        const auto texto = Canonico(valor);
        if (texto.size() > static_cast<std::size_t>(l.campo.ancho))
            NoCabe(l, texto);
        return Rellenar(l, texto, destino);
    }
    default:
        NoAdmite(l, "un número");
    }
}

void PonerLogico(const Lugar& l, bool valor, char* destino) {
    if (l.campo.tipo == 'L' || l.campo.tipo == 'C')
        return Rellenar(l, valor ? "T" : "F", destino);
    NoAdmite(l, "un valor lógico");
}

std::string ClaveGuardada(const InfoCampo& campo, std::string_view bytes) {
    switch (campo.tipo) {
    case 'N':
    case 'F': {
        const auto texto = Texto(campo, bytes);
        if (auto v = Numero<double>(texto))
            return Canonico(*v);
        return texto; // blank, or not a number: only equal to itself
    }
    case 'I':
        return Canonico(Binario32(bytes));
    default:
        return Texto(campo, bytes);
    }
}

std::optional<std::string> ClaveBuscada(const InfoCampo& campo, std::string_view valor) {
    switch (campo.tipo) {
    case 'N':
    case 'F':
    case 'I': {
        const auto limpio = SinBlancos(valor);
        if (auto v = Numero<double>(limpio))
            return Canonico(*v);
        if (campo.tipo == 'I')
            return std::nullopt;
        return std::string(limpio);
    }
    case 'L':
        return Verdad(valor);
    case 'C':
        return std::string(SinBlancosFinales(valor));
    case 'D':
        return std::string(SinBlancos(valor));
    default:
        return std::nullopt;
    }
}

} // namespace belvaro::dbf
