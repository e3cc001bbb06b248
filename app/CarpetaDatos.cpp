#include "app/CarpetaDatos.h"

#include "app/Error.h"

#include <cstdlib>
#include <system_error>

namespace belvaro {

namespace fs = std::filesystem;

namespace {
std::optional<fs::path> Variable(const char* nombre) {
    const char* valor = std::getenv(nombre);
    if (valor == nullptr || *valor == '\0')
        return std::nullopt;
    return fs::path(valor);
}
} // namespace

fs::path CarpetaZtemp(const std::optional<fs::path>& opcion) {
    if (opcion)
        return *opcion;
    if (auto propia = Variable("BELVARO_ZTEMP"))
        return *propia;
#ifdef _WIN32
    return fs::path("C:\\ZTEMP");
#else
    if (auto prefijo = Variable("WINEPREFIX"))
        return *prefijo / "drive_c" / "ZTEMP";
    if (auto casa = Variable("HOME"))
        return *casa / ".wine" / "drive_c" / "ZTEMP";
    throw Error("No se puede saber cuál es la carpeta de datos: no hay HOME ni WINEPREFIX. "
                "Indíquela con --datos o con BELVARO_ZTEMP.");
#endif
}

fs::path CarpetaSeneca(const fs::path& carpetaDatos) { return carpetaDatos / "seneca"; }

bool ExisteArchivoElegido(const fs::path& ruta) {
    std::error_code error;
    return !ruta.empty() && fs::is_regular_file(ruta, error);
}

fs::path CarpetaEjecutable() {
    std::error_code error;
    const fs::path propio = fs::read_symlink("/proc/self/exe", error);
    if (error)
        throw Error("No se puede saber en qué carpeta está el programa: " + error.message());
    return propio.parent_path();
}

} // namespace belvaro
