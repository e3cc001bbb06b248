#include "export/TrabajoExportar.h"

#include "app/ArchivoXML.h"
#include "app/CarpetaDatos.h"
#include "app/Mensajes.h"
#include "export/EntradasExportar.h"
#include "export/Preparacion.h"

#include <system_error>

namespace belvaro {

namespace fs = std::filesystem;

InformeExportar ExportarArchivo(const fs::path& archivo, const Configuracion& configuracion,
                                Interlocutor& interlocutor) {
    const fs::path catalogo = BuscarCatalogo(configuracion.carpetaEjecutable);
    XmlDocument doc = CargarDocumentoSeneca(archivo);

    const fs::path& datos = configuracion.carpetaDatos;
    AsegurarCarpetaDatos(datos);
    BloqueoExportacion bloqueo(datos);
    RecuperarPreparaciones(datos);
    Preparacion preparacion(datos);

    TrabajoExportar trabajo(std::move(doc), preparacion.Ruta(), catalogo, interlocutor);
    trabajo.Ejecutar();
    preparacion.Confirmar(kTablasExportadas);
    return std::move(trabajo.informe);
}

FinTrabajo BExportarClick(EstadoSesion& sesion, const Configuracion& configuracion,
                          Interlocutor& interlocutor, InformeExportar* informe) {
    if (!ElegirArchivoXML(sesion, configuracion, interlocutor))
        return FinTrabajo::NoExisteArchivo;
    InformeExportar resultado;
    {
        CursorDeEspera espera(interlocutor);
        resultado = ExportarArchivo(sesion.ArchivoXML, configuracion, interlocutor);
    }
    sesion.Transformado = 1;
    if (informe != nullptr)
        *informe = std::move(resultado);
    interlocutor.Mensaje(mensajes::kProcesoFinalizado);
    return FinTrabajo::Terminado;
}

} // namespace belvaro
