#include "export/TrabajoExportar.h"

#include "app/Error.h"

namespace belvaro {

// Placeholder until the step lands.
void TrabajoExportar::CrearActividades() { throw Error("CrearActividades: paso todavía no disponible"); }

} // namespace belvaro
