#pragma once

#include "import/Soluc.h"
#include "import/ValoresActividad.h"
#include "tables/Tabla.h"

#include <string>
#include <unordered_map>
#include <utility>

namespace belvaro {

// Turns a timetabled row of SOLUC into Séneca's codes by looking its host codes up in
// the tables the export built. Each table is read once into an index; where several
// rows share a key the first in stored order wins, as a scan from the first record
// would find. Keys compare exactly and case-sensitively, as the engine reads text.
class BusquedasActividad {
  public:
    BusquedasActividad(Tabla& wwTableAsig, Tabla& wwTableNomAsg, Tabla& wwTableTramos,
                       Tabla& wwTableGrupos, Tabla& wwTableNomAsg_2);

    // The eleven values of the row, whose day and slot the caller has read.
    ValoresActividad Resolver(const FilaSoluc& fila, long long dia, long long hora,
                              const std::string& fInicio, const std::string& fFin) const;

  private:
    struct HashPar {
        std::size_t operator()(const std::pair<std::string, std::string>& par) const;
    };
    using Par = std::pair<std::string, std::string>;
    struct Tramo {
        std::string DIA, CODDIHO, HORADESDE, HORAHASTA;
    };

    // ASIGT: (CASIG, CGRUP) -> (CLAVE, CLAVECURSO)
    std::unordered_map<Par, Par, HashPar> asignaciones_;
    // ASIGNOMT: COD -> CODTAREA
    std::unordered_map<std::string, std::string> tareas_;
    // DIASHORAST: DIHO -> the slot
    std::unordered_map<std::string, Tramo> tramos_;
    // GRUPOST: ABREV -> (CLAVE, CLAVECURSO)
    std::unordered_map<std::string, Par> grupos_;
    // ASIGNOMT2: (COD, OFERTAMATRI) -> MATERIA
    std::unordered_map<Par, std::string, HashPar> materias_;
};

} // namespace belvaro
