#pragma once

// The tables the import reads, written straight into a temporary folder with only
// the fields the job uses, and a small Séneca file to import against.

#include "tables/Tabla.h"
#include "tests/support/Apoyo.h"

#include <filesystem>
#include <string>
#include <vector>

namespace belvaro::prueba {

using Fila = std::vector<std::string>;

// Creates the table and appends the rows, each value set as text (numbers too).
void EscribirTabla(const std::filesystem::path& carpeta, const std::string& nombre,
                   const std::vector<DefCampo>& campos, const std::vector<Fila>& filas);

// A dBase III file written byte by byte, for field kinds our engine does not create
// (a host's binary integer I). Each field: name, kind, width; values as they go in
// the file, except I, given in decimal.
struct CampoCrudo {
    std::string nombre;
    char tipo;
    int ancho;
};
void EscribirDbfCrudo(const std::filesystem::path& ruta, const std::vector<CampoCrudo>& campos,
                      const std::vector<Fila>& filas);

// Rows of each table, in the field order of the layouts below.
struct EscenarioImportar {
    CarpetaTemporal carpeta;
    // PROF, DIA, HORA, ASIG, CODGRUPO, TAREA, AULA (DIA and HORA numeric)
    std::vector<Fila> soluc;
    // ABREV, X_EMPLEADO, F_TOMAPOS
    std::vector<Fila> proft;
    // ABREV, CLAVE, CLAVECURSO
    std::vector<Fila> grupost;
    // CASIG, CGRUP, CLAVE, CLAVECURSO
    std::vector<Fila> asigt;
    // COD, CODTAREA
    std::vector<Fila> asignomt;
    // COD, OFERTAMATRI, MATERIA
    std::vector<Fila> asignomt2;
    // DIHO, CODDIHO, DIA, HORADESDE, HORAHASTA
    std::vector<Fila> diashorast;
    // CURSOANNO, F_INICIO, F_FIN
    std::vector<Fila> periodos{{"2026", "15/09/2026", "22/06/2027"}};
    bool conPeriodos = true;

    // Writes every table (SOLUC too, unless sinSoluc) into carpeta.
    void Escribir(bool sinSoluc = false) const;
    // Writes the Séneca file seneca/horarios.xml and returns its path.
    std::filesystem::path Seneca(const std::string& xml = "") const;
    std::filesystem::path Salida() const {
        return carpeta.ruta() / "seneca" / "ResultadoZeltoshorarios.xml";
    }
};

// The nine tables the job opens, by their file names.
inline const std::vector<std::string> kTablasImportar = {"SOLUC",     "GRUPOST",    "CURSOST",
                                                         "PROFT",     "AULAT",      "ASIGNOMT",
                                                         "ASIGNOMT2", "DIASHORAST", "ASIGT"};

} // namespace belvaro::prueba
