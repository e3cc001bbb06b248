#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace belvaro {

class TurnoCursos;

// Everything a job needs from a person, answered by the desktop window, the
// command line or a test.
class Interlocutor {
public:
    virtual ~Interlocutor() = default;

    // The file dialog ("Archivo XML", *.xml). Empty when the person cancels.
    virtual std::optional<std::filesystem::path>
    ElegirArchivo(const std::filesystem::path& carpetaInicial) = 0;

    // A plain message box titled "Belvaro" (UTF-8 text).
    virtual void Mensaje(const std::string& texto) = 0;

    // The wait cursor for the whole application while a job runs.
    virtual void CursorEspera(bool /*activo*/) {}

    // One showing of the level and course dialog over CURSOST. The front end lets
    // the person edit turno.Cursos() and ends the showing with turno.BitBtn1Click()
    // (finish), turno.BitBtn2Click() (forced exit) or by simply returning (close box).
    // It may throw TrabajoDetenido to abandon the whole job.
    virtual void MostrarControlCursos(TurnoCursos& turno) = 0;

    // The forced exit of the dialog closes the main window while the job goes on.
    virtual void CerrarVentanaPrincipal() {}
};

// The wait cursor while a job runs, restored however it ends.
class CursorDeEspera {
public:
    explicit CursorDeEspera(Interlocutor& interlocutor) : interlocutor_(interlocutor) {
        interlocutor_.CursorEspera(true);
    }
    ~CursorDeEspera() { interlocutor_.CursorEspera(false); }
    CursorDeEspera(const CursorDeEspera&) = delete;
    CursorDeEspera& operator=(const CursorDeEspera&) = delete;

private:
    Interlocutor& interlocutor_;
};

} // namespace belvaro
