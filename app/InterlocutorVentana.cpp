#include "app/InterlocutorVentana.h"

#include "app/ControlCursos.h"
#include "app/Dialogos.h"
#include "app/MainForm.h"

#include <QApplication>
#include <QCursor>

namespace belvaro {

namespace fs = std::filesystem;

InterlocutorVentana::InterlocutorVentana(TMForm& ventana, Dialogos& dialogos)
    : ventana_(ventana), dialogos_(dialogos) {}

InterlocutorVentana::~InterlocutorVentana() {
    RestaurarCursor();
}

std::optional<fs::path> InterlocutorVentana::ElegirArchivo(const fs::path& carpetaInicial) {
    return dialogos_.ElegirArchivo(carpetaInicial);
}

void InterlocutorVentana::Mensaje(const std::string& texto) {
    // After a forced exit the program is ending: the box would close at once.
    if (ventana_.Cerrada())
        return;
    dialogos_.Mensaje(texto);
}

void InterlocutorVentana::CursorEspera(bool activo) {
    if (activo == espera_)
        return;
    if (activo)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
    espera_ = activo;
}

void InterlocutorVentana::RestaurarCursor() {
    CursorEspera(false);
}

void InterlocutorVentana::MostrarControlCursos(TurnoCursos& turno) {
    // The person types in the dialog: the normal cursor while it is up.
    const bool enEspera = espera_;
    CursorEspera(false);
    // Inside the host's window ours is no top-level window to own a dialog.
    QWidget* dueno = ventana_.Anfitrion() == nullptr ? &ventana_ : nullptr;
    TControlCursos ControlCursos(turno, dialogos_, dueno);
    dialogos_.MostrarCursos(ControlCursos);
    CursorEspera(enEspera);
    ControlCursos.RelanzarFallo();
}

void InterlocutorVentana::CerrarVentanaPrincipal() {
    ventana_.CerrarPorSalidaForzada();
}

} // namespace belvaro
