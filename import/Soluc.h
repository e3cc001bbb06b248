#pragma once

#include "tables/Tabla.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace belvaro {

// One row of the host's solution, every value as the engine reads it as text
// (Windows-1252, trailing blanks dropped). Day and slot are parsed only when needed.
struct FilaSoluc {
    int registro = 0; // 1-based record number in SOLUC, for messages
    std::string PROF, DIA, HORA, ASIG, CODGRUPO, TAREA, AULA;
};

// The rows of SOLUC, read once in stored order and grouped by PROF. Picking a
// teacher's group is what a filter "PROF = abbreviation" would show: the same
// rows, in the same order, whatever the abbreviation holds.
class Soluc {
  public:
    // Reads every row. A missing field throws Error naming SOLUC and the field.
    explicit Soluc(Tabla& tabla);

    // The teacher's rows in stored order (empty when there are none).
    const std::vector<FilaSoluc>& DelProfesor(const std::string& abrev) const;

    // Day and slot of a row as whole numbers. A blank numeric field reads 0; a value
    // that is no whole number throws Error naming the table, the field and the record.
    long long Dia(const FilaSoluc& fila) const;
    long long Hora(const FilaSoluc& fila) const;

    // PROF values in order of first appearance.
    const std::vector<std::string>& Profesores() const { return profesores_; }

  private:
    std::string tabla_;
    char tipoDia_ = 'C';
    char tipoHora_ = 'C';
    std::unordered_map<std::string, std::vector<FilaSoluc>> porProfesor_;
    std::vector<std::string> profesores_;
};

// The campos SOLUC must have, in the order they are checked.
inline constexpr const char* kCamposSoluc[] = {"PROF",     "DIA",   "HORA", "ASIG",
                                               "CODGRUPO", "TAREA", "AULA"};

// A table value as a whole number: spaces around it are ignored, and a decimal part
// made only of zeros ("2.00") is allowed. Blank reads 0 for numeric kinds (N, F, I)
// and is an error for any other kind.
long long EnteroDeCampo(std::string_view texto, char tipo, std::string_view tabla,
                        std::string_view campo, int registro);

} // namespace belvaro
