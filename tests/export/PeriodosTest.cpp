#include "tests/export/PasoExportar.h"

#include "app/Error.h"

#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

struct CasoPeriodos {
    std::string nombre;
    DocumentoSeneca doc;
    Filas esperadas; // CURSOANNO, F_INICIO, F_FIN
};

void PrintTo(const CasoPeriodos& caso, std::ostream* os) {
    *os << caso.nombre;
}

const DocumentoSeneca::Valores kJornada = {"J1", "L", "01/09/2024", "30/06/2025"};

std::vector<CasoPeriodos> Casos() {
    const std::vector<std::vector<std::string>> cursos = {{"1001", "1º ESO"}};
    return {
        {"TresValoresYLuegoRegistros",
         DocumentoSeneca()
             .Directo("ANNO_ACADEMICO", {"2024", "15/09/2024", "22/06/2025"})
             .Lista("CURSOS_DEL_CENTRO", cursos)
             .Lista("JORNADAS_ESCOLARES", {kJornada}),
         {{"2024", "15/09/2024", "22/06/2025"}}},
        {"FinVacioTomaAmbasFechasDeJornadas",
         DocumentoSeneca()
             .Directo("ANNO_ACADEMICO", {"2024", "15/09/2024", " "})
             .Lista("JORNADAS_ESCOLARES", {kJornada, {"J2", "M", "otra", "otra"}}),
         {{"2024", "01/09/2024", "30/06/2025"}}},
        {"JornadaConUnSoloDatoDejaLoLeido",
         DocumentoSeneca()
             .Directo("ANNO_ACADEMICO", {"2024", "15/09/2024", ""})
             .Lista("JORNADAS_ESCOLARES", {{"J1"}, kJornada}),
         {{"2024", "15/09/2024", ""}}},
        {"SinBloqueDeJornadas",
         DocumentoSeneca().Directo("ANNO_ACADEMICO", {"2024", "", "22/06/2025"}),
         {{"2024", "", "22/06/2025"}}},
        {"AnnoYFechasCortados",
         DocumentoSeneca().Directo("ANNO_ACADEMICO",
                                   {"2024/2025", "15/09/2024 8:00", "22/06/2025"}),
         {{"2024", "15/09/2024", "22/06/2025"}}},
        {"DosBloquesLaPrimeraFilaNoSeReemplaza",
         DocumentoSeneca()
             .Directo("ANNO_ACADEMICO", {"2023", "", "30/06/2024"})
             .Directo("OTRO_ANNO", {"2024", "01/10/2024", ""})
             .Lista("JORNADAS_ESCOLARES", {kJornada}),
         {{"2023", "", "30/06/2024"}, {"2024", "01/09/2024", "30/06/2025"}}},
        {"SoloCuentanLosDosPrimerosBloques",
         DocumentoSeneca()
             .Directo("ANNO_ACADEMICO", {"2024", "15/09/2024", "22/06/2025"})
             .Lista("CURSOS_DEL_CENTRO", cursos)
             .Directo("TERCERO", {"2099", "01/01/2099", "02/01/2099"}),
         {{"2024", "15/09/2024", "22/06/2025"}}},
        {"PrimerBloqueSinDatosDirectosSegundoSi",
         DocumentoSeneca()
             .Lista("CURSOS_DEL_CENTRO", cursos)
             .Directo("ANNO_ACADEMICO", {"2024", "15/09/2024", "22/06/2025"}),
         {{"2024", "15/09/2024", "22/06/2025"}}},
        {"BloqueConDosDatosLeeElFinVacio",
         DocumentoSeneca()
             .Directo("ANNO_ACADEMICO", {"2024", "15/09/2024"})
             .Lista("JORNADAS_ESCOLARES", {kJornada}),
         {{"2024", "01/09/2024", "30/06/2025"}}},
        {"JornadaConTresDatosLeeElFinVacio",
         DocumentoSeneca()
             .Directo("ANNO_ACADEMICO", {"2024", "", "22/06/2025"})
             .Lista("JORNADAS_ESCOLARES", {{"J1", "L", "01/09/2024"}}),
         {{"2024", "01/09/2024", ""}}},
    };
}

class PeriodosTest : public ::testing::TestWithParam<CasoPeriodos> {};

TEST_P(PeriodosTest, FilasDePeriodos) {
    PasoExportar paso;
    paso.Trabajo(GetParam().doc).CrearPeriodos();
    EXPECT_EQ(paso.NombresDeCampos("PERIODOS"),
              (std::vector<std::string>{"CURSOANNO", "F_INICIO", "F_FIN"}));
    EXPECT_EQ(paso.Leer("PERIODOS", {"CURSOANNO", "F_INICIO", "F_FIN"}), GetParam().esperadas);
}

INSTANTIATE_TEST_SUITE_P(Casos, PeriodosTest, ::testing::ValuesIn(Casos()),
                         [](const auto& info) { return info.param.nombre; });

TEST(PeriodosLecturaTest, PosicionesQueFaltanSeCuentan) {
    PasoExportar paso;
    TrabajoExportar& trabajo = paso.Trabajo(DocumentoSeneca()
                                                .Directo("ANNO_ACADEMICO", {"2024", "15/09/2024"})
                                                .Lista("JORNADAS_ESCOLARES", {{"J1", "L", "x"}}));
    trabajo.CrearPeriodos();
    const auto& bloques = trabajo.informe.lectura.bloques;
    EXPECT_EQ(bloques.at("ANNO_ACADEMICO").incompletos, std::set<int>{0});
    EXPECT_EQ(bloques.at("JORNADAS_ESCOLARES").incompletos, std::set<int>{0});
}

TEST(PeriodosLecturaTest, SinAnnoEscolarNoSeCreaLaTabla) {
    PasoExportar paso;
    TrabajoExportar& trabajo = paso.Trabajo(
        DocumentoSeneca().Directo("ANNO_ACADEMICO", {"2024"}).Lista("CURSOS_DEL_CENTRO", {}));
    EXPECT_THROW(trabajo.CrearPeriodos(), Error);
    EXPECT_FALSE(ExisteTabla(paso.Carpeta(), "PERIODOS"));
}

} // namespace
} // namespace belvaro::prueba
