#include "tables/FormatoDbf.h"

#include "app/Error.h"

#include <ctime>

namespace belvaro::dbf {

namespace {

[[noreturn]] void Danado(const std::filesystem::path& ruta, const std::string& detalle) {
    throw Error("La tabla " + ruta.string() + " está dañada: " + detalle + ".");
}

std::uint32_t Leer32(std::string_view b, std::size_t pos) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[pos])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[pos + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[pos + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[pos + 3])) << 24;
}

std::size_t Leer16(std::string_view b, std::size_t pos) {
    return static_cast<std::size_t>(static_cast<unsigned char>(b[pos])) |
           static_cast<std::size_t>(static_cast<unsigned char>(b[pos + 1])) << 8;
}

void Poner16(std::string& b, std::size_t pos, std::size_t v) {
    b[pos] = static_cast<char>(v & 0xFF);
    b[pos + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void Poner32(std::string& b, std::size_t pos, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[pos + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Versions of dBase III+, dBase IV/V and FoxPro/Visual FoxPro files, with or
// without memo: the record layout is the same for all of them.
bool VersionConocida(std::uint8_t v) {
    const int nivel = v & 0x07;
    return nivel == 3 || nivel == 4 || nivel == 5 || v == 0x30 || v == 0x31 || v == 0x32;
}

// Type letters of every dBase and FoxPro dialect; those we do not read are kept
// as opaque bytes.
bool TipoValido(char t) {
    return (t >= 'A' && t <= 'Z') || t == '@' || t == '+' || t == '0';
}

std::string AnchoEsperado(char tipo, int ancho) {
    switch (tipo) {
    case 'L':
        return ancho == 1 ? "" : "1";
    case 'D':
        return ancho == 8 ? "" : "8";
    case 'I':
        return ancho == 4 ? "" : "4";
    default:
        return "";
    }
}

InfoCampo LeerDescriptor(std::string_view d, int numero, const std::filesystem::path& ruta) {
    InfoCampo c;
    const auto nul = d.substr(0, 11).find('\0');
    c.nombre = std::string(d.substr(0, nul == std::string_view::npos ? 11 : nul));
    const std::string cual = "el descriptor del campo " + std::to_string(numero);
    if (c.nombre.empty())
        Danado(ruta, cual + " no tiene nombre");
    for (unsigned char ch : c.nombre)
        if (ch < 0x20)
            Danado(ruta, cual + " tiene un nombre no válido");
    c.tipo = d[11];
    if (!TipoValido(c.tipo))
        Danado(ruta, "el campo " + c.nombre + " tiene un tipo no válido");
    c.ancho = static_cast<unsigned char>(d[16]);
    c.decimales = static_cast<unsigned char>(d[17]);
    if (c.ancho == 0)
        Danado(ruta, "el campo " + c.nombre + " tiene ancho 0");
    if (const auto esperado = AnchoEsperado(c.tipo, c.ancho); !esperado.empty())
        Danado(ruta, "el campo " + c.nombre + " de tipo " + std::string(1, c.tipo) +
                         " tiene ancho " + std::to_string(c.ancho) + " en lugar de " + esperado);
    if ((c.tipo == 'N' || c.tipo == 'F') && c.decimales >= c.ancho && c.decimales > 0)
        Danado(ruta, "el campo " + c.nombre + " tiene más decimales que ancho");
    if (c.tipo != 'N' && c.tipo != 'F')
        c.decimales = 0;
    return c;
}

} // namespace

Estructura LeerEstructura(std::string_view bytes, const std::filesystem::path& ruta) {
    if (bytes.size() < kLargoCabecera + 1)
        Danado(ruta, "el archivo es más corto que la cabecera");
    Estructura e;
    e.version = static_cast<std::uint8_t>(bytes[0]);
    if (!VersionConocida(e.version))
        Danado(ruta, "no es una tabla dBase (versión " + std::to_string(e.version) + ")");
    e.registros = Leer32(bytes, 4);
    e.largoCabecera = Leer16(bytes, 8);
    e.largoRegistro = Leer16(bytes, 10);
    if (e.largoCabecera > bytes.size())
        Danado(ruta, "la cabecera dice medir " + std::to_string(e.largoCabecera) +
                         " bytes y el archivo tiene " + std::to_string(bytes.size()));
    if (e.largoCabecera < kLargoCabecera + 1)
        Danado(ruta, "la longitud de la cabecera es demasiado pequeña");

    std::size_t pos = kLargoCabecera;
    std::size_t suma = 1; // the deletion flag
    while (bytes[pos] != kTerminador) {
        if (pos + kLargoDescriptor + 1 > e.largoCabecera)
            Danado(ruta, "los descriptores de campo no terminan dentro de la cabecera");
        auto c = LeerDescriptor(bytes.substr(pos, kLargoDescriptor),
                                static_cast<int>(e.campos.size()) + 1, ruta);
        e.desplazamientos.push_back(suma);
        suma += static_cast<std::size_t>(c.ancho);
        e.campos.push_back(std::move(c));
        pos += kLargoDescriptor;
    }
    if (e.campos.empty())
        Danado(ruta, "no tiene ningún campo");
    if (suma != e.largoRegistro)
        Danado(ruta, "la longitud de registro de la cabecera (" + std::to_string(e.largoRegistro) +
                         ") no coincide con la suma de los campos (" + std::to_string(suma) + ")");
    const auto necesario = static_cast<unsigned long long>(e.largoCabecera) +
                           static_cast<unsigned long long>(e.registros) * e.largoRegistro;
    if (necesario > bytes.size())
        Danado(ruta, "la cabecera anuncia " + std::to_string(e.registros) +
                         " registros y el archivo no los contiene");
    return e;
}

std::string FechaYRegistros(std::uint32_t registros) {
    const std::time_t ahora = std::time(nullptr);
    std::tm local{};
    localtime_r(&ahora, &local);
    std::string b(7, '\0');
    b[0] = static_cast<char>(local.tm_year % 256); // years since 1900
    b[1] = static_cast<char>(local.tm_mon + 1);
    b[2] = static_cast<char>(local.tm_mday);
    Poner32(b, 3, registros);
    return b;
}

std::string EscribirCabecera(const std::vector<InfoCampo>& campos, std::uint32_t registros) {
    const std::size_t largo = kLargoCabecera + kLargoDescriptor * campos.size() + 1;
    std::string b(largo, '\0');
    b[0] = static_cast<char>(kVersionDbase3);
    b.replace(kPosicionFecha, 7, FechaYRegistros(registros));
    std::size_t registro = 1;
    for (const auto& c : campos)
        registro += static_cast<std::size_t>(c.ancho);
    Poner16(b, 8, largo);
    Poner16(b, 10, registro);
    b[29] = static_cast<char>(kDriverWindows1252);
    std::size_t pos = kLargoCabecera;
    for (const auto& c : campos) {
        b.replace(pos, c.nombre.size(), c.nombre);
        b[pos + 11] = c.tipo;
        b[pos + 16] = static_cast<char>(c.ancho);
        b[pos + 17] = static_cast<char>(c.decimales);
        pos += kLargoDescriptor;
    }
    b[pos] = kTerminador;
    return b;
}

} // namespace belvaro::dbf
