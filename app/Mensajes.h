#pragma once

// The program's own messages, shown as they stand (UTF-8).
namespace belvaro::mensajes {

inline constexpr const char* kTitulo = "Belvaro";
inline constexpr const char* kNoExisteArchivo = "No existe archivo";
inline constexpr const char* kProcesoFinalizado = "Proceso finalizado";
inline constexpr const char* kPeriodosNoEncontrado =
    "ATENCIÓN - PERIODOS.DBF No encontrado - Importe de nuevo XML de SÉNECA.";
inline constexpr const char* kFaltaAlgunDato = "¡Atención! Falta algún Dato";

} // namespace belvaro::mensajes
