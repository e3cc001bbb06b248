// The eleven values of one timetabled row: every lookup, its fallback and the
// first-match rule.

#include "import/BusquedasActividad.h"
#include "tests/import/EscenarioImportar.h"

#include <gtest/gtest.h>

#include <map>

namespace belvaro::prueba {
namespace {

struct CasoBusqueda {
    std::string nombre;
    FilaSoluc fila; // only ASIG, CODGRUPO, TAREA, AULA are used
    long long dia, hora;
    std::map<std::string, std::string> esperado; // nombre_dato -> value
};

class BusquedasActividadTest : public ::testing::TestWithParam<CasoBusqueda> {
  protected:
    static void SetUpTestSuite() {
        escenario_ = new EscenarioImportar;
        auto& e = *escenario_;
        e.asigt = {{"MAT", "ESO1A", "M1", "C1"},
                   {"MAT", "ESO1A", "M1bis", "C1bis"},
                   {"LEN", "ESO1A", "L1", ""},
                   {"ING", "ESO1A", "", "C9"}};
        e.asignomt = {{"MAT", ""}, {"GUA", "G7"}, {"GUA", "G8"}};
        e.diashorast = {{"11", "T1", "1", "0800", "0900"},
                        {"23", "T23", "02", "1000", "1100"},
                        {"23", "T23bis", "2", "1200", "1300"},
                        {"110", "T10", "1", "1500", "1600"}};
        e.grupost = {{"ESO1A", "U1", "CG1"}, {"ESO1A", "U1bis", "CGx"}, {"ESO2A", "U2", "C2"}};
        e.asignomt2 = {
            {"FRA", "C2", "F2"}, {"ING", "C9", "I9"}, {"FRA", "C2", "F2bis"}, {"LEN", "CG1", "Lx"}};
        e.Escribir(true);
    }
    static void TearDownTestSuite() {
        delete escenario_;
        escenario_ = nullptr;
    }

    static EscenarioImportar* escenario_;
};

EscenarioImportar* BusquedasActividadTest::escenario_ = nullptr;

FilaSoluc Fila(std::string asig, std::string grupo, std::string tarea = "",
               std::string aula = "A1") {
    FilaSoluc f;
    f.ASIG = std::move(asig);
    f.CODGRUPO = std::move(grupo);
    f.TAREA = std::move(tarea);
    f.AULA = std::move(aula);
    return f;
}

TEST_P(BusquedasActividadTest, DaLosValoresEsperados) {
    const auto& caso = GetParam();
    const auto& c = escenario_->carpeta.ruta();
    Tabla asig(c, "ASIGT"), nomAsg(c, "ASIGNOMT"), tramos(c, "DIASHORAST"), grupos(c, "GRUPOST"),
        nomAsg2(c, "ASIGNOMT2");
    const BusquedasActividad busquedas(asig, nomAsg, tramos, grupos, nomAsg2);

    const ValoresActividad v =
        busquedas.Resolver(caso.fila, caso.dia, caso.hora, "15/09/2026", "22/06/2027");

    std::map<std::string, std::string> obtenido;
    for (const auto& [nombre, valor] : v.EnOrden())
        obtenido[nombre] = std::string(valor);
    for (const auto& [nombre, valor] : caso.esperado)
        EXPECT_EQ(obtenido[nombre], valor) << nombre;
    EXPECT_EQ(obtenido["F_INICIO"], "15/09/2026");
    EXPECT_EQ(obtenido["F_FIN"], "22/06/2027");
}

const std::vector<CasoBusqueda> kCasos = {
    {"PrimeraAsignacionGana",
     Fila("MAT", "ESO1A"),
     1,
     1,
     {{"X_MATERIAOMG", "M1"},
      {"X_OFERTAMATRIG", "C1"},
      {"X_UNIDAD", "U1"},
      {"N_DIASEMANA", "1"},
      {"X_TRAMO", "T1"},
      {"N_HORINI", "0800"},
      {"N_HORFIN", "0900"},
      {"X_DEPENDENCIA", "A1"},
      {"X_ACTIVIDAD", "1"}}},
    {"CursoEnBlancoTomaElDelGrupo",
     Fila("LEN", "ESO1A"),
     1,
     1,
     {{"X_MATERIAOMG", "L1"}, {"X_OFERTAMATRIG", "CG1"}}},
    {"SinAsignacionCursoDelGrupoYMateriaDeAsignomt2",
     Fila("FRA", "ESO2A"),
     1,
     1,
     {{"X_MATERIAOMG", "F2"}, {"X_OFERTAMATRIG", "C2"}, {"X_UNIDAD", "U2"}}},
    {"SinAsignacionNiAsignomt2MateriaVacia",
     Fila("QUI", "ESO2A"),
     1,
     1,
     {{"X_MATERIAOMG", ""}, {"X_OFERTAMATRIG", "C2"}}},
    {"MateriaEnBlancoBuscaConElCursoDeLaAsignacion",
     Fila("ING", "ESO1A"),
     1,
     1,
     {{"X_MATERIAOMG", "I9"}, {"X_OFERTAMATRIG", "C9"}}},
    {"GrupoDesconocidoSinUnidadNiCurso",
     Fila("MAT", "ESO9Z"),
     1,
     1,
     {{"X_UNIDAD", ""}, {"X_OFERTAMATRIG", ""}, {"X_MATERIAOMG", ""}}},
    {"GrupoDistingueMayusculas", Fila("MAT", "eso1a"), 1, 1, {{"X_UNIDAD", ""}}},
    {"EspaciosInicialesCuentan", Fila(" MAT", "ESO1A"), 1, 1, {{"X_MATERIAOMG", ""}}},
    {"TareaPropiaSeMantiene", Fila("GUA", "ESO1A", "7"), 1, 1, {{"X_ACTIVIDAD", "7"}}},
    {"TareaConEspaciosInicialesSeMantieneTalCual",
     Fila("GUA", "ESO1A", " 7"),
     1,
     1,
     {{"X_ACTIVIDAD", " 7"}}},
    {"TareaEnBlancoPrimeraCodtarea", Fila("GUA", "ESO1A", ""), 1, 1, {{"X_ACTIVIDAD", "G7"}}},
    {"TareaDeEspaciosCuentaComoBlanco", Fila("GUA", "ESO1A", "   "), 1, 1, {{"X_ACTIVIDAD", "G7"}}},
    {"CodtareaEnBlancoDaUno", Fila("MAT", "ESO1A", ""), 1, 1, {{"X_ACTIVIDAD", "1"}}},
    {"MateriaDesconocidaDaUno", Fila("XYZ", "ESO1A", ""), 1, 1, {{"X_ACTIVIDAD", "1"}}},
    {"DiaDeDiashorastPrimeraFila",
     Fila("MAT", "ESO1A"),
     2,
     3,
     {{"N_DIASEMANA", "02"}, {"X_TRAMO", "T23"}, {"N_HORINI", "1000"}, {"N_HORFIN", "1100"}}},
    {"HoraDeDosCifras", Fila("MAT", "ESO1A"), 1, 10, {{"X_TRAMO", "T10"}}},
    {"TramoDesconocidoCuatroVacios",
     Fila("MAT", "ESO1A"),
     3,
     9,
     {{"N_DIASEMANA", ""}, {"X_TRAMO", ""}, {"N_HORINI", ""}, {"N_HORFIN", ""}}},
    {"AulaDeEspaciosVacia", Fila("MAT", "ESO1A", "", "   "), 1, 1, {{"X_DEPENDENCIA", ""}}},
    {"AulaConEspaciosInicialesTalCual",
     Fila("MAT", "ESO1A", "", "  A12"),
     1,
     1,
     {{"X_DEPENDENCIA", "  A12"}}},
};

INSTANTIATE_TEST_SUITE_P(Casos, BusquedasActividadTest, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return info.param.nombre; });

} // namespace
} // namespace belvaro::prueba
