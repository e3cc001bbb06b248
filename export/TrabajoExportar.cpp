#include "export/TrabajoExportar.h"

#include "tables/Tabla.h"

namespace belvaro {

TrabajoExportar::TrabajoExportar(XmlDocument doc, std::filesystem::path carpeta,
                                 std::filesystem::path catalogo, Interlocutor& interlocutor)
    : DocXML(std::move(doc)), carpeta_(std::move(carpeta)), catalogo_(std::move(catalogo)),
      interlocutor_(interlocutor) {}

void TrabajoExportar::Ejecutar() {
    // No test between steps: a forced exit in the courses dialog lets the rest run.
    CrearPeriodos();
    CrearCursos();
    CrearMaterias();
    CrearActividades();
    CrearProfesores();
    CrearAulas();
    CrearGrupos();
    CrearAsignaciones();
    CrearTramos();

    // Counted once every step is done: ASIGNOMT is written by two of them.
    informe.filasPorTabla.clear();
    for (const std::string& nombre : kTablasExportadas) {
        Tabla tabla(carpeta_, nombre);
        informe.filasPorTabla.emplace_back(nombre, tabla.RecordCount());
    }
}

} // namespace belvaro
