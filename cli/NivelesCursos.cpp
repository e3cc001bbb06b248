#include "cli/NivelesCursos.h"

#include "app/Clipper.h"
#include "app/Error.h"
#include "seneca/CodePage.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace belvaro::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kAnchoNivel = 5;
constexpr std::size_t kAnchoCurso = 3;

std::vector<std::string> Campos(const std::string& linea) {
    std::vector<std::string> campos;
    std::stringstream trozos(linea);
    for (std::string campo; std::getline(trozos, campo, ';');)
        campos.push_back(AllTrim(campo));
    if (!linea.empty() && linea.back() == ';')
        campos.emplace_back();
    return campos;
}

bool EsCabecera(const std::vector<std::string>& campos) {
    return campos.size() == 3 && MayusculasAZ(campos[0]) == "CLAVE" &&
           MayusculasAZ(campos[1]) == "NIVEL" && MayusculasAZ(campos[2]) == "CURSO";
}

} // namespace

NivelesPorClave LeerNiveles(const fs::path& archivo) {
    std::ifstream entrada(archivo, std::ios::binary);
    if (!entrada)
        throw Error("No se puede leer el archivo de niveles " + archivo.string() + ".");
    NivelesPorClave niveles;
    std::string linea;
    for (int numero = 1; std::getline(entrada, linea); ++numero) {
        if (numero == 1 && linea.starts_with("\xEF\xBB\xBF"))
            linea.erase(0, 3);
        if (!linea.empty() && linea.back() == '\r')
            linea.pop_back();
        const std::string donde =
            "El archivo de niveles " + archivo.string() + ", línea " + std::to_string(numero);
        if (AllTrim(linea).empty())
            continue;
        const std::vector<std::string> campos = Campos(linea);
        if (numero == 1 && EsCabecera(campos))
            continue;
        if (campos.size() != 3 || campos[0].empty())
            throw Error(donde + ", no tiene la forma CLAVE;NIVEL;CURSO.");
        NivelCurso valores{Utf8AAnsi(campos[1]), Utf8AAnsi(campos[2])};
        // One byte a character once in Windows-1252.
        if (valores.nivel.size() > kAnchoNivel || valores.curso.size() > kAnchoCurso)
            throw Error(donde + ": el NIVEL admite como mucho 5 caracteres y el CURSO 3.");
        if (!niveles.emplace(Utf8AAnsi(campos[0]), valores).second)
            throw Error(donde + ": la clave " + campos[0] + " ya aparece en una línea anterior.");
    }
    if (entrada.bad())
        throw Error("No se puede leer el archivo de niveles " + archivo.string() + ".");
    return niveles;
}

} // namespace belvaro::cli
