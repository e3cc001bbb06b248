#include "import/TrabajoImportar.h"

#include "app/Error.h"

namespace belvaro {

// Placeholder until the job lands.
FinTrabajo BImportarClick(EstadoSesion&, const Configuracion&, Interlocutor&, InformeImportar*) {
    throw Error("importar: trabajo todavía no disponible");
}

} // namespace belvaro
