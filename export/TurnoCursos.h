#pragma once

#include "tables/Tabla.h"

#include <filesystem>
#include <optional>
#include <string>

namespace belvaro {

// One showing of the level and course dialog: the table CURSOST open for editing,
// and the outcome the courses step reads when the showing ends.
class TurnoCursos {
  public:
    // Opens CURSOST (shared) in the folder the job is building.
    TurnoCursos(const std::filesystem::path& carpeta, bool cursosIncompletos);

    // The table the person edits (NIVEL and CURSO); closed by either button.
    Tabla& Cursos();
    // True from the second showing on: the forced-exit button and its warning show.
    bool CursosIncompletos() const { return cursosIncompletos_; }

    // The finish button's check: the first row whose NIVEL or CURSO, stripped of
    // leading and trailing characters up to code 32, is empty makes Incompleto true.
    // Closes the table. Returns Incompleto; the front end then shows the incident
    // labels and "¡Atención! Falta algún Dato".
    bool BitBtn1Click();
    // The forced exit: closes the table, Incompleto false, Salida "fuera".
    void BitBtn2Click();
    // Stores what was typed and closes the table, when neither button did (the close
    // box). Nothing happens when the table is already closed.
    void Cerrar();

    bool Incompleto = false;
    std::string Salida;

  private:
    bool cursosIncompletos_;
    std::optional<Tabla> cursos_;
};

} // namespace belvaro
