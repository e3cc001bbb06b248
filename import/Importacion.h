#pragma once

#include "app/Sesion.h"
#include "import/TablasFormulario.h"
#include "import/TrabajoImportar.h"
#include "seneca/XmlDocument.h"

#include <filesystem>
#include <optional>
#include <string>

namespace belvaro {

class BusquedasActividad;
class DocumentoHorarios;
class Soluc;

// "ResultadoZeltos" followed by the chosen file's name, in the chosen file's folder.
std::filesystem::path RutaResultado(const std::filesystem::path& archivo);

// One run of the timetable-to-Séneca job on a chosen Séneca file and the host's
// table folder: what the job keeps while it runs lives here and goes with it.
class Importacion {
  public:
    Importacion(std::filesystem::path archivoXML, std::filesystem::path carpeta);

    // Opens the tables, loads the file, walks the teachers and saves the result.
    // PeriodosNoEncontrado: PERIODOS.DBF is missing; nothing was written and the
    // tables are closed again. Any failure throws Error and writes nothing.
    FinTrabajo Ejecutar(InformeImportar& informe);

  private:
    void LeerPeriodos();
    void RecorrerProfesores(DocumentoHorarios& documento, const Soluc& soluc,
                            const BusquedasActividad& busquedas, InformeImportar& informe);

    std::filesystem::path ArchivoXML;
    std::filesystem::path carpeta_;
    std::optional<TablasFormulario> tablas_;
    XmlDocument DocXML;
    std::string F_INICIO, F_FIN; // Windows-1252, from PERIODOS' first record
};

} // namespace belvaro
