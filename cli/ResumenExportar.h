#pragma once

#include "export/TrabajoExportar.h"

#include <iosfwd>

namespace belvaro::cli {

// The summary printed after "Proceso finalizado": rows per table, records passed over
// or lacking values per block, subjects without assignment, units without course and
// the forced exit.
void EscribirResumen(const InformeExportar& informe, std::ostream& salida);

} // namespace belvaro::cli
