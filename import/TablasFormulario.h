#pragma once

#include "tables/Tabla.h"

#include <filesystem>

namespace belvaro {

// The nine tables of the main window the import works on, opened for exclusive use
// in this order and held until the object goes: whatever ends the job, every lock is
// released. A table that cannot be opened throws Error, and those already open are
// closed again.
struct TablasFormulario {
    explicit TablasFormulario(const std::filesystem::path& carpeta);

    Tabla wwTableSoluc;
    Tabla wwTableGrupos;
    Tabla wwTableCursos;
    Tabla wwTableProfesor;
    Tabla wwTableAulas;
    Tabla wwTableNomAsg;
    Tabla wwTableNomAsg_2;
    Tabla wwTableTramos;
    Tabla wwTableAsig;
};

} // namespace belvaro
