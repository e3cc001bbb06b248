#include "export/TrabajoExportar.h"

#include "app/Error.h"

namespace belvaro {

// Placeholder until the step lands.
void TrabajoExportar::CrearMaterias() { throw Error("CrearMaterias: paso todavía no disponible"); }

} // namespace belvaro
