#include "export/TrabajoExportar.h"

#include "app/Error.h"

namespace belvaro {

// Placeholder until the step lands.
void TrabajoExportar::CrearAsignaciones() { throw Error("CrearAsignaciones: paso todavía no disponible"); }

} // namespace belvaro
