#include "export/TrabajoExportar.h"

#include "app/Error.h"

namespace belvaro {

// Placeholder until the step lands.
void TrabajoExportar::CrearPeriodos() { throw Error("CrearPeriodos: paso todavía no disponible"); }

} // namespace belvaro
