#include "app/ArchivoXML.h"

#include "app/CarpetaDatos.h"
#include "app/Mensajes.h"

namespace belvaro {

bool ElegirArchivoXML(EstadoSesion& sesion, const Configuracion& configuracion,
                      Interlocutor& interlocutor) {
    if (auto elegido = interlocutor.ElegirArchivo(CarpetaSeneca(configuracion.carpetaDatos)))
        sesion.ArchivoXML = *elegido;
    if (ExisteArchivoElegido(sesion.ArchivoXML))
        return true;
    interlocutor.Mensaje(mensajes::kNoExisteArchivo);
    if (sesion.ModoAnfitrion == 2)
        sesion.Transformado = -1;
    return false;
}

} // namespace belvaro
