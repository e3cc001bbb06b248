#pragma once

#include <filesystem>

namespace belvaro {

// What one run of the program keeps from one job to the next.
struct EstadoSesion {
    std::filesystem::path ArchivoXML; // last Séneca file chosen in the dialog
    int ModoAnfitrion = 0;            // 2 when the host started us with its window
    int Transformado = 0;             // 0 nothing finished, 1 a job finished, -1 file missing
};

// Fixed places of a run.
struct Configuracion {
    std::filesystem::path carpetaDatos;       // the host's table folder (C:\ZTEMP)
    std::filesystem::path carpetaEjecutable;  // SENEMATERIAS.DBF, Zeltora.ini, SENECA.chm
};

// How a job handler ended when it did not raise an error.
enum class FinTrabajo {
    Terminado,            // ran to its end: "Proceso finalizado"
    NoExisteArchivo,      // "No existe archivo"
    PeriodosNoEncontrado, // import only: PERIODOS.DBF missing
};

} // namespace belvaro
