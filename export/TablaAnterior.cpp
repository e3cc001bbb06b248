#include "export/TablaAnterior.h"

#include "app/Error.h"
#include "tables/Tabla.h"

#include <string>
#include <system_error>

namespace belvaro {

namespace fs = std::filesystem;

void BorrarTablaAnterior(const fs::path& carpeta, std::string_view nombre) {
    for (const char* extension : {".DBF", ".MDX"}) {
        const fs::path ruta = RutaTabla(carpeta, std::string(nombre) + extension);
        std::error_code error;
        if (!fs::exists(ruta, error))
            continue;
        fs::remove(ruta, error);
        if (error)
            throw Error("No se pudo borrar " + ruta.string() + " para crear de nuevo la tabla " +
                        std::string(nombre) + ": " + error.message() + ".");
    }
}

} // namespace belvaro
