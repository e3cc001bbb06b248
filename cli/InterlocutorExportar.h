#pragma once

#include "app/Interlocutor.h"
#include "cli/NivelesCursos.h"

#include <filesystem>
#include <iosfwd>

namespace belvaro::cli {

// How `belvaro-cli exportar` answers the job: the file named on the command line, messages
// on the output, and the level and course turns from a levels file, the terminal, or
// the forced exit.
class InterlocutorExportar : public Interlocutor {
  public:
    struct Opciones {
        std::filesystem::path archivo;
        NivelesPorClave niveles;
        bool forzarSalida = false;
        bool terminal = false; // the input is a person at a terminal
    };

    InterlocutorExportar(Opciones opciones, std::istream& entrada, std::ostream& salida);

    std::optional<std::filesystem::path>
    ElegirArchivo(const std::filesystem::path& carpetaInicial) override;
    void Mensaje(const std::string& texto) override;
    // Every turn takes the levels file for the values still blank. After a failed check
    // the next turn asks at the terminal, or ends in the forced exit when asked to;
    // with neither, the job stops (TrabajoDetenido) listing the incomplete courses.
    void MostrarControlCursos(TurnoCursos& turno) override;

  private:
    void Preguntar(TurnoCursos& turno);
    std::string LeerLinea();

    Opciones opciones_;
    std::istream& entrada_;
    std::ostream& salida_;
};

} // namespace belvaro::cli
