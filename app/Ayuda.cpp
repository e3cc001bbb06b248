#include "app/Ayuda.h"

#include "app/Error.h"

#include <system_error>

namespace belvaro {

namespace fs = std::filesystem;

namespace {
// Viewers known to open a .chm; the first one found is used.
constexpr const char* kVisores[] = {"xchm", "kchmviewer"};
} // namespace

DestinoAyuda ResolverAyuda(const fs::path& carpeta, std::optional<int> contexto,
                           const BuscarPrograma& buscar) {
    const std::string tema = contexto == kContextoVentana ? kPaginaContexto1 : "";
    std::error_code error;
    if (fs::is_regular_file(carpeta / kArchivoAyuda, error)) {
        for (const char* nombre : kVisores)
            if (auto visor = buscar(nombre))
                return {carpeta / kArchivoAyuda, tema, *visor};
    }
    const fs::path pagina =
        carpeta / kCarpetaAyudaHtml / (tema.empty() ? std::string(kPaginaIndice) : tema);
    if (!fs::is_regular_file(pagina, error))
        throw Error("No se encuentra la ayuda: ni \"" + (carpeta / kArchivoAyuda).string() +
                    "\" con un visor de ayuda instalado, ni \"" + pagina.string() + "\".");
    return {pagina, "", {}};
}

std::vector<std::string> ArgumentosVisor(const DestinoAyuda& destino) {
    const std::string chm = destino.archivo.string();
    if (destino.tema.empty())
        return {chm};
    if (destino.visor.filename() == "kchmviewer")
        return {"-showPage", destino.tema, chm};
    // xchm opens a topic by its help context number.
    return {"--contextid=" + std::to_string(kContextoVentana), chm};
}

} // namespace belvaro
