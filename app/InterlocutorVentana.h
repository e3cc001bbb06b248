#pragma once

#include "app/Interlocutor.h"

namespace belvaro {

class Dialogos;
class TMForm;

// The jobs' questions answered by the desktop window: its file dialog, its message
// boxes, the wait cursor and the level and course dialog.
class InterlocutorVentana : public Interlocutor {
  public:
    InterlocutorVentana(TMForm& ventana, Dialogos& dialogos);
    ~InterlocutorVentana() override;

    std::optional<std::filesystem::path>
    ElegirArchivo(const std::filesystem::path& carpetaInicial) override;
    void Mensaje(const std::string& texto) override;
    void CursorEspera(bool activo) override;
    void MostrarControlCursos(TurnoCursos& turno) override;
    void CerrarVentanaPrincipal() override;

    // Puts the normal cursor back, whatever the job left.
    void RestaurarCursor();

  private:
    TMForm& ventana_;
    Dialogos& dialogos_;
    bool espera_ = false;
};

} // namespace belvaro
