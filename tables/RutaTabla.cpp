#include "tables/Tabla.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace belvaro {

namespace {

std::string Mayusculas(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

} // namespace

std::filesystem::path RutaTabla(const std::filesystem::path& carpeta, std::string_view nombre) {
    std::string archivo(nombre);
    if (std::filesystem::path(archivo).extension().empty())
        archivo += ".DBF";
    const auto exacta = carpeta / archivo;
    std::error_code ec;
    if (std::filesystem::exists(exacta, ec))
        return exacta;
    const std::string buscado = Mayusculas(archivo);
    for (std::filesystem::directory_iterator it(carpeta, ec), fin; !ec && it != fin;
         it.increment(ec)) {
        if (Mayusculas(it->path().filename().string()) == buscado)
            return it->path();
    }
    return carpeta / buscado;
}

bool ExisteTabla(const std::filesystem::path& carpeta, std::string_view nombre) {
    std::error_code ec;
    return std::filesystem::is_regular_file(RutaTabla(carpeta, nombre), ec);
}

} // namespace belvaro
