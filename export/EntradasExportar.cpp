#include "export/EntradasExportar.h"

#include "app/Error.h"
#include "seneca/Seneca.h"
#include "tables/Tabla.h"

namespace belvaro {

namespace fs = std::filesystem;

fs::path BuscarCatalogo(const fs::path& carpetaEjecutable) {
    const char* const nombre = "SENEMATERIAS.DBF";
    if (!ExisteTabla(carpetaEjecutable, nombre))
        throw Error("No se encuentra el catálogo de materias " + std::string(nombre) +
                    " en la carpeta del programa (" + carpetaEjecutable.string() +
                    "). Sin él no se pueden dar códigos a las materias; no se ha cambiado "
                    "ninguna tabla.");
    return RutaTabla(carpetaEjecutable, nombre);
}

XmlDocument CargarDocumentoSeneca(const fs::path& archivo) {
    XmlDocument doc;
    doc.load(archivo);
    if (!doc.selectSingleNode("/SERVICIO/BLOQUE_DATOS"))
        throw Error("El archivo " + archivo.string() +
                    " no es un archivo de intercambio de Séneca: le falta "
                    "/SERVICIO/BLOQUE_DATOS. No se ha cambiado ninguna tabla.");
    const XmlNode primero = doc.selectNodes(kTodosLosBloques).item(0);
    if (!primero || DatosDe(primero).length() <= 1)
        throw Error("El archivo " + archivo.string() +
                    " no trae el año escolar: su primer bloque de datos no tiene el año y "
                    "las fechas. No se ha cambiado ninguna tabla.");
    return doc;
}

} // namespace belvaro
