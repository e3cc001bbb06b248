#include "export/TrabajoExportar.h"

#include "app/Error.h"

namespace belvaro {

// Placeholder until the step lands.
void TrabajoExportar::CrearCursos() { throw Error("CrearCursos: paso todavía no disponible"); }

} // namespace belvaro
