#pragma once

#include "tools/soluc/Colocacion.h"

#include <filesystem>
#include <string>
#include <vector>

namespace belvaro::soluc {

// What the stand-in reads from the tables the export built.
struct Entrada {
    std::vector<Asignacion> asignaciones; // ASIGT: CASIG, CGRUP, HORAS
    std::vector<Tramo> tramos;            // DIASHORAST, days 1 to 5
    std::vector<std::string> profesores;  // PROFT.ABREV
    std::vector<std::string> aulas;       // AULAT.ABREV
};

Entrada LeerEntrada(const std::filesystem::path& carpeta);

// SOLUC.DBF with PROF, DIA, HORA, ASIG, CODGRUPO, TAREA, AULA; TAREA is left blank.
void EscribirSoluc(const std::filesystem::path& carpeta, const std::vector<Leccion>& lecciones);

} // namespace belvaro::soluc
