#include "tests/robustez/Huellas.h"

#include <array>
#include <fstream>
#include <sstream>

namespace belvaro::robustez {

namespace fs = std::filesystem;

namespace {

std::string HuellaArchivo(const fs::path& ruta) {
    std::ifstream entrada(ruta, std::ios::binary);
    std::uint64_t hash = 0xcbf29ce484222325ull;
    std::uint64_t tamano = 0;
    std::array<char, 65536> bloque{};
    while (entrada.read(bloque.data(), bloque.size()) || entrada.gcount() > 0) {
        const auto leidos = static_cast<std::size_t>(entrada.gcount());
        for (std::size_t i = 0; i < leidos; ++i) {
            hash ^= static_cast<unsigned char>(bloque[i]);
            hash *= 0x100000001b3ull;
        }
        tamano += leidos;
    }
    std::ostringstream texto;
    texto << std::hex << hash << '/' << std::dec << tamano << (entrada.bad() ? "/ilegible" : "");
    return texto.str();
}

} // namespace

Huellas TomarHuellas(const fs::path& carpeta) {
    Huellas huellas;
    for (const auto& entrada : fs::recursive_directory_iterator(carpeta)) {
        const std::string nombre = fs::relative(entrada.path(), carpeta).string();
        huellas[nombre] = entrada.is_regular_file() ? HuellaArchivo(entrada.path()) : "";
    }
    return huellas;
}

std::string Diferencias(const Huellas& antes, const Huellas& despues) {
    std::string texto;
    for (const auto& [ruta, huella] : antes) {
        const auto otra = despues.find(ruta);
        if (otra == despues.end())
            texto += "desaparece " + ruta + "\n";
        else if (otra->second != huella)
            texto += "cambia " + ruta + "\n";
    }
    for (const auto& [ruta, huella] : despues)
        if (!antes.count(ruta))
            texto += "aparece " + ruta + "\n";
    return texto;
}

} // namespace belvaro::robustez
