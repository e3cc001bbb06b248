#pragma once

#include "app/Interlocutor.h"
#include "app/Sesion.h"

#include <filesystem>
#include <string>
#include <vector>

namespace belvaro {

// A lesson Séneca will likely refuse: one of its codes came out empty.
struct LeccionDudosa {
    std::string profesor, dia, hora, asignatura, grupo; // UTF-8
    std::vector<std::string> faltan;                    // e.g. "X_UNIDAD", "X_TRAMO"
};

// What the person is told at the end of an import besides "Proceso finalizado".
struct InformeImportar {
    std::filesystem::path salida; // the Séneca file written
    int profesores = 0;
    int actividades = 0;
    std::vector<LeccionDudosa> dudosas;
    std::vector<std::string> profesoresDesconocidos; // SOLUC.PROF matching no PROFT.ABREV
};

// The "importar" button: file dialog, existence check, the job, "Proceso finalizado"
// and Transformado. Errors propagate as Error for the front end to show.
FinTrabajo BImportarClick(EstadoSesion& sesion, const Configuracion& configuracion,
                          Interlocutor& interlocutor, InformeImportar* informe = nullptr);

} // namespace belvaro
