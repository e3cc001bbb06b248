#pragma once

#include "app/Interlocutor.h"
#include "app/Sesion.h"

namespace belvaro {

// The start of both jobs: the file dialog (a confirmed choice goes into ArchivoXML, a
// cancel keeps the earlier one), then "No existe archivo" when nothing is there, with
// Transformado -1 in host mode. True when the job may go on with sesion.ArchivoXML.
bool ElegirArchivoXML(EstadoSesion& sesion, const Configuracion& configuracion,
                      Interlocutor& interlocutor);

} // namespace belvaro
