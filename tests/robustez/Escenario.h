#pragma once

// A school as a user has it after one whole round: the nine tables exported from the
// sample, a timetable (SOLUC) and an earlier result file for Séneca. Each case gets its
// own copy, damages one input, runs belvaro-cli and checks what it left.

#include "tests/robustez/Proceso.h"
#include "tests/support/Apoyo.h"

#include <filesystem>
#include <string>
#include <vector>

namespace belvaro::robustez {

// Where the programs under test and the sample data are.
std::filesystem::path ProgramaCli();
std::filesystem::path ProgramaSoluc();
std::filesystem::path Muestras();

class Escenario {
  public:
    Escenario(); // a fresh copy of the finished round
    Escenario(const Escenario&) = delete;
    Escenario& operator=(const Escenario&) = delete;

    const std::filesystem::path& Raiz() const { return carpeta_.ruta(); }
    std::filesystem::path Datos() const { return Raiz() / "ZTEMP"; }
    std::filesystem::path Entrada() const { return Raiz() / "entrada"; }
    std::filesystem::path Xml() const { return Entrada() / "seneca.xml"; }
    std::filesystem::path Resultado() const { return Entrada() / "ResultadoZeltosseneca.xml"; }
    std::filesystem::path Niveles() const { return Raiz() / "niveles.csv"; }

    // The words of a plain run of each job on this scenario's files.
    std::vector<std::string> Exportar() const;
    std::vector<std::string> Importar() const;

  private:
    prueba::CarpetaTemporal carpeta_;
};

// The nine exported tables' files.
std::vector<std::filesystem::path> TablasExportadas(const std::filesystem::path& datos);

} // namespace belvaro::robustez
