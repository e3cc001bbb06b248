#pragma once

namespace belvaro {

class Dialogos;

// Scripted answers for unattended runs (the host-mode tests start the real program):
//   BELVARO_PRUEBA_ARCHIVO  the file dialog's answer; empty means cancelled.
//   BELVARO_PRUEBA_MENSAJES a file that receives every message instead of a box,
//                           one a line: "M texto" or "E texto" (error).
//   BELVARO_PRUEBA_CURSOS   the level and course dialog's turns, comma-separated:
//                           "completo" (fills every empty NIVEL/CURSO, then OK),
//                           "incompleto" (OK as it stands), "forzar" (forced exit),
//                           "cerrar" (the close box), "mostrar" (left open for
//                           the person, or for a screenshot).
// Nothing is set when the variables are absent.
void PrepararRespuestasEntorno(Dialogos& dialogos);

} // namespace belvaro
