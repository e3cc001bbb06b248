#include "export/TrabajoExportar.h"

#include "app/Error.h"

namespace belvaro {

// Placeholder until the step lands.
void TrabajoExportar::CrearProfesores() { throw Error("CrearProfesores: paso todavía no disponible"); }

} // namespace belvaro
