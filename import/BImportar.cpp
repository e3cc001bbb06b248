#include "import/TrabajoImportar.h"

#include "app/ArchivoXML.h"
#include "app/CarpetaDatos.h"
#include "app/Mensajes.h"
#include "export/Preparacion.h"
#include "import/Importacion.h"

#include <system_error>

namespace belvaro {

namespace fs = std::filesystem;

namespace {

// An export killed while renaming its tables into place left the rest ready in its
// staging folder: they are put in place first, so that the timetable is never read
// from a mix of old and new tables.
void TerminarExportacionInterrumpida(const fs::path& carpetaDatos) {
    std::error_code error;
    if (!fs::is_directory(carpetaDatos, error))
        return;
    BloqueoExportacion bloqueo(carpetaDatos);
    RecuperarPreparaciones(carpetaDatos);
}

} // namespace

FinTrabajo BImportarClick(EstadoSesion& sesion, const Configuracion& configuracion,
                          Interlocutor& interlocutor, InformeImportar* informe) {
    if (!ElegirArchivoXML(sesion, configuracion, interlocutor))
        return FinTrabajo::NoExisteArchivo;

    InformeImportar propio;
    InformeImportar& resultado = informe != nullptr ? *informe : propio;
    resultado = InformeImportar{};
    FinTrabajo fin;
    {
        CursorDeEspera espera(interlocutor);
        TerminarExportacionInterrumpida(configuracion.carpetaDatos);
        Importacion trabajo(sesion.ArchivoXML, configuracion.carpetaDatos);
        fin = trabajo.Ejecutar(resultado);
    }
    if (fin == FinTrabajo::PeriodosNoEncontrado) {
        interlocutor.Mensaje(mensajes::kPeriodosNoEncontrado);
        return fin;
    }
    sesion.Transformado = 1;
    interlocutor.Mensaje(mensajes::kProcesoFinalizado);
    return FinTrabajo::Terminado;
}

} // namespace belvaro
