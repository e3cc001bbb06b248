#include "import/TablasFormulario.h"

namespace belvaro {

TablasFormulario::TablasFormulario(const std::filesystem::path& carpeta)
    : wwTableSoluc(carpeta, "SOLUC", Acceso::Exclusivo),
      wwTableGrupos(carpeta, "GRUPOST", Acceso::Exclusivo),
      wwTableCursos(carpeta, "CursosT", Acceso::Exclusivo),
      wwTableProfesor(carpeta, "PROFT", Acceso::Exclusivo),
      wwTableAulas(carpeta, "AULAT", Acceso::Exclusivo),
      wwTableNomAsg(carpeta, "ASIGNOMT", Acceso::Exclusivo),
      wwTableNomAsg_2(carpeta, "ASIGNOMT2", Acceso::Exclusivo),
      wwTableTramos(carpeta, "DIASHORAST", Acceso::Exclusivo),
      wwTableAsig(carpeta, "ASIGT", Acceso::Exclusivo) {}

} // namespace belvaro
