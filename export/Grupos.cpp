#include "export/TrabajoExportar.h"

#include "app/Error.h"

namespace belvaro {

// Placeholder until the step lands.
void TrabajoExportar::CrearGrupos() { throw Error("CrearGrupos: paso todavía no disponible"); }

} // namespace belvaro
