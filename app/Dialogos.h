#pragma once

#include "app/Ayuda.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace belvaro {

class TControlCursos;

// The boxes and dialogs the program shows to the person: the file dialog
// OpenDialogXML, plain and error message boxes titled "Belvaro", the level and
// course dialog and the help. Each has a hook that answers in its place, for tests
// and for scripted runs.
class Dialogos {
  public:
    // Next answers of the file dialog (nothing: cancelled); the real dialog is
    // shown when none is left.
    std::deque<std::optional<std::filesystem::path>> respuestasArchivo;
    // Replaces the message boxes: called with the text and whether it is an error.
    std::function<void(const std::string& texto, bool esError)> alMostrarMensaje;
    // Called once the level and course dialog is up (its event loop running).
    std::function<void(TControlCursos&)> alMostrarCursos;
    // Replaces opening the help viewer or browser.
    std::function<void(const DestinoAyuda&)> alAbrirAyuda;

    std::optional<std::filesystem::path> ElegirArchivo(const std::filesystem::path& carpetaInicial);
    void Mensaje(const std::string& texto);
    void MensajeError(const std::string& texto);
    // Shows the dialog modally; returns its result.
    int MostrarCursos(TControlCursos& dialogo);
    void AbrirAyuda(const DestinoAyuda& destino);

  private:
    void Caja(const std::string& texto, bool esError);
};

} // namespace belvaro
