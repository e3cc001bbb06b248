#include "export/TrabajoExportar.h"

#include "app/Error.h"

namespace belvaro {

// Placeholder until the step lands.
void TrabajoExportar::CrearTramos() { throw Error("CrearTramos: paso todavía no disponible"); }

} // namespace belvaro
