#include "export/TrabajoExportar.h"

#include "app/Error.h"

namespace belvaro {

// Placeholder until the step lands.
void TrabajoExportar::CrearAulas() { throw Error("CrearAulas: paso todavía no disponible"); }

} // namespace belvaro
