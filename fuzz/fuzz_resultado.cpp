// Updates arbitrary bytes as the host's INI file, in memory and on disk.

#include "app/Error.h"
#include "app/ResultadoIni.h"
#include "fuzz/ArchivoFuzz.h"

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

std::string Leer(const std::filesystem::path& ruta) {
    std::ifstream entrada(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, std::size_t tamano) {
    using namespace belvaro;
    const std::string_view contenido(reinterpret_cast<const char*>(datos), tamano);
    const std::string una = ActualizarIni(contenido, kSeccionResultado, kClaveResultado, "1");
    // Setting the same value again changes nothing: the first key found is the one written.
    if (ActualizarIni(una, kSeccionResultado, kClaveResultado, "1") != una)
        __builtin_trap();
    // The new value replaces the old one in place; no byte is lost on the way.
    if (ActualizarIni(una, kSeccionResultado, kClaveResultado, "-1").size() != una.size() + 1)
        __builtin_trap();
    const auto ruta = fuzz::EscribirEntrada(kArchivoResultado, datos, tamano);
    try {
        EscribirTransformado(ruta, 1);
        if (Leer(ruta) != una)
            __builtin_trap();
    } catch (const Error&) {
    }
    return 0;
}
