#include "tools/catalogo/Catalogo.h"

#include "app/Error.h"
#include "seneca/CodePage.h"

#include <fstream>
#include <set>
#include <string_view>

namespace belvaro::catalogo {

namespace {

constexpr std::string_view kCabecera = "NOMBRE;COD;CODLARGO";
constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Where a value came from, for messages.
struct Lugar {
    const std::filesystem::path& archivo;
    int linea;

    [[noreturn]] void Fallo(const std::string& que) const {
        throw Error(archivo.string() + ", línea " + std::to_string(linea) + ": " + que);
    }
};

std::vector<std::string> Partir(std::string_view linea) {
    std::vector<std::string> partes;
    std::size_t inicio = 0;
    for (;;) {
        const auto fin = linea.find(';', inicio);
        partes.emplace_back(linea.substr(inicio, fin - inicio));
        if (fin == std::string_view::npos)
            return partes;
        inicio = fin + 1;
    }
}

// The value in Windows-1252, checked against its field.
std::string Valor(const Lugar& lugar, const std::string& campo, const std::string& utf8, int ancho,
                  bool obligatorio) {
    if (obligatorio && utf8.empty())
        lugar.Fallo("falta el valor de " + campo);
    if (!utf8.empty() && (utf8.front() == ' ' || utf8.back() == ' '))
        lugar.Fallo("el valor de " + campo + " «" + utf8 +
                    "» tiene espacios al principio o al final");
    std::string ansi = Utf8AAnsi(utf8);
    if (AnsiAUtf8(ansi) != utf8)
        lugar.Fallo("el valor de " + campo + " «" + utf8 +
                    "» lleva caracteres que Windows-1252 no admite");
    if (static_cast<int>(ansi.size()) > ancho)
        lugar.Fallo("el valor de " + campo + " «" + utf8 + "» tiene más de " +
                    std::to_string(ancho) + " caracteres");
    return ansi;
}

} // namespace

std::vector<Materia> LeerCatalogo(const std::filesystem::path& csv) {
    std::ifstream entrada(csv, std::ios::binary);
    if (!entrada)
        throw Error("No se puede abrir el catálogo de materias " + csv.string());

    std::vector<Materia> materias;
    std::set<std::string> nombres;
    std::string linea;
    bool cabecera = false;
    for (int numero = 1; std::getline(entrada, linea); ++numero) {
        if (!linea.empty() && linea.back() == '\r')
            linea.pop_back();
        if (numero == 1 && linea.starts_with(kBom))
            linea.erase(0, kBom.size());
        const Lugar lugar{csv, numero};
        if (numero == 1) {
            if (linea != kCabecera)
                lugar.Fallo("la cabecera debe ser «" + std::string(kCabecera) + "»");
            cabecera = true;
            continue;
        }
        if (linea.empty())
            continue;
        const auto partes = Partir(linea);
        if (partes.size() != 3)
            lugar.Fallo("se esperaban 3 valores separados por ';' y hay " +
                        std::to_string(partes.size()));
        Materia m{Valor(lugar, "NOMBRE", partes[0], kAnchoNombre, true),
                  Valor(lugar, "COD", partes[1], kAnchoCodigo, true),
                  Valor(lugar, "CODLARGO", partes[2], kAnchoCodigoLargo, false)};
        if (!nombres.insert(m.nombre).second)
            lugar.Fallo("la materia «" + partes[0] + "» ya está en el catálogo");
        materias.push_back(std::move(m));
    }
    if (entrada.bad())
        throw Error("Error al leer el catálogo de materias " + csv.string());
    if (!cabecera)
        throw Error(csv.string() + ": el catálogo está vacío; falta la cabecera «" +
                    std::string(kCabecera) + "»");
    return materias;
}

} // namespace belvaro::catalogo
