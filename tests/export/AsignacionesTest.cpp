#include "tests/export/PasoExportar.h"

#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

const std::vector<DefCampo> kCamposMaterias = {
    {"COD", TipoCampo::Texto, 10},
    {"CODLARGO", TipoCampo::Texto, 10},
    {"NOMBRE", TipoCampo::Texto, 80},
};

const std::vector<DefCampo> kCamposGrupos = {
    {"ABREV", TipoCampo::Texto, 10},      {"TURNO", TipoCampo::Texto, 1},
    {"NIVEL", TipoCampo::Texto, 5},       {"CURSO", TipoCampo::Texto, 3},
    {"GRUPO", TipoCampo::Texto, 2},       {"CLAVE", TipoCampo::Texto, 10},
    {"CLAVECURSO", TipoCampo::Texto, 10}, {"DESCRIP", TipoCampo::Texto, 80},
};

// An ASIGNOMT row (Windows-1252 name).
std::vector<std::string> Materia(const std::string& cod, const std::string& nombre) {
    return {cod, cod, nombre};
}

// A GRUPOST row of level ESO, year 1, whose letter is the abbreviation's last one.
std::vector<std::string> Grupo(const std::string& abrev, const std::string& claveCurso) {
    return {abrev, "", "ESO", "1", abrev.substr(abrev.size() - 1), "U" + abrev, claveCurso, ""};
}

const Filas kTresGruposYOtro = {Grupo("ESO1A", "C1"), Grupo("BACH1A", "C2"), Grupo("ESO1B", "C1"),
                                Grupo("ESO1C", "C1")};

const std::string kLargo80 =
    "Proyecto integrado de caracter practico orientado a la comunicacion audiovisual.";

struct CasoAsignaciones {
    std::string nombre;
    Filas materias;
    std::vector<DocumentoSeneca::Valores> registros; // course key, subject key, name (UTF-8)
    Filas esperadas;                                 // CASIG, CGRUP, CLAVE, CLAVECURSO
    std::vector<std::string> sinAsignacion;
};

void PrintTo(const CasoAsignaciones& caso, std::ostream* os) {
    *os << caso.nombre;
}

class CrearAsignacionesCasos : public ::testing::TestWithParam<CasoAsignaciones> {};

TEST_P(CrearAsignacionesCasos, FilasPorMateriaYGrupo) {
    const CasoAsignaciones& caso = GetParam();
    PasoExportar paso;
    paso.EscribirTabla("ASIGNOMT", kCamposMaterias, caso.materias);
    paso.EscribirTabla("GRUPOST", kCamposGrupos, kTresGruposYOtro);
    auto& trabajo = paso.Trabajo(DocumentoSeneca().Lista("MATERIAS", caso.registros));
    trabajo.CrearAsignaciones();

    EXPECT_EQ(paso.Leer("ASIGT", {"CASIG", "CGRUP", "CLAVE", "CLAVECURSO"}), caso.esperadas);
    EXPECT_EQ(trabajo.informe.materiasSinAsignacion, caso.sinAsignacion);
    ASSERT_FALSE(trabajo.informe.filasPorTabla.empty());
    EXPECT_EQ(trabajo.informe.filasPorTabla.back(),
              (std::pair<std::string, int>("ASIGT", static_cast<int>(caso.esperadas.size()))));
}

std::vector<CasoAsignaciones> CasosAsignaciones() {
    return {
        {"TresGruposDelCurso",
         {Materia("MAT", "Matematicas")},
         {{"C1", "M1", "Matematicas"}},
         {{"MAT", "ESO1A", "M1", "C1"}, {"MAT", "ESO1B", "M1", "C1"}, {"MAT", "ESO1C", "M1", "C1"}},
         {}},
        {"MayusculasDeAaZ",
         {Materia("LCL", "LENGUA castellana")},
         {{"C2", "M1", "  Lengua Castellana "}},
         {{"LCL", "BACH1A", "M1", "C2"}},
         {}},
        {"AcentuadaEnMinusculaCoincide",
         {Materia("MAT", "matem\xE1ticas")},
         {{"C2", "M1", "Matemáticas"}},
         {{"MAT", "BACH1A", "M1", "C2"}},
         {}},
        {"AcentuadaEnOtraCajaNoCoincide",
         {Materia("MAT", "MATEM\xC1TICAS")},
         {{"C2", "M1", "Matemáticas"}, {"C1", "M1", "Matemáticas"}},
         {},
         {"Matemáticas"}},
        {"SeComparanOchentaCaracteres",
         {Materia("PIC", kLargo80)},
         {{"C2", "M1", kLargo80 + "y digital"}},
         {{"PIC", "BACH1A", "M1", "C2"}},
         {}},
        {"GanaLaPrimeraEnOrden",
         {Materia("FIS", "Fisica"), Materia("FIS2", "  FISICA ")},
         {{"C2", "M1", "fisica"}},
         {{"FIS", "BACH1A", "M1", "C2"}},
         {}},
        {"PrimeraConCodigoVacio",
         {Materia("", "Dibujo"), Materia("DIB", "Dibujo")},
         {{"C2", "M1", "Dibujo"}},
         {},
         {"Dibujo"}},
        {"DosCursos",
         {Materia("ING", "Ingles")},
         {{"C2", "M1", "Ingles"}, {"C1", "M7", "Ingles"}},
         {{"ING", "BACH1A", "M1", "C2"},
          {"ING", "ESO1A", "M7", "C1"},
          {"ING", "ESO1B", "M7", "C1"},
          {"ING", "ESO1C", "M7", "C1"}},
         {}},
        {"DosRegistrosIgualesDeUnCurso",
         {Materia("MUS", "Musica")},
         {{"C2", "M1", "Musica"}, {"C2", "M2", "MUSICA"}},
         {{"MUS", "BACH1A", "M1", "C2"}, {"MUS", "BACH1A", "M2", "C2"}},
         {}},
        {"SinAsignacion",
         {Materia("MUS", "Musica")},
         {{"C1", "M1", "Latin"},
          {"C1", "M2", "Latin"},
          {"C9", "M3", "Musica"},
          {"c2", "M4", "Musica"},
          {"C2"},
          {"C2", "M5"}},
         {},
         {"Latin"}},
    };
}

INSTANTIATE_TEST_SUITE_P(Asignaciones, CrearAsignacionesCasos,
                         ::testing::ValuesIn(CasosAsignaciones()),
                         [](const auto& info) { return info.param.nombre; });

TEST(CrearAsignaciones, CamposYValoresFijos) {
    PasoExportar paso;
    paso.EscribirTabla("ASIGNOMT", kCamposMaterias, {Materia("MAT", "Matematicas")});
    paso.EscribirTabla("GRUPOST", kCamposGrupos,
                       {{"BACHC2B", "M", "BACHC", "2", "B", "U9", "C2", "Bachillerato"}});
    paso.Trabajo(DocumentoSeneca().Lista("MATERIAS", {{"C2", "M1", "Matematicas"}}))
        .CrearAsignaciones();

    EXPECT_EQ(
        paso.NombresDeCampos("ASIGT"),
        (std::vector<std::string>{"CASIG", "CPROF", "CGRUP", "CAULA", "TURNO", "NIVEL", "CURSO",
                                  "GRUPO", "HORAS", "SESIONES", "CLAVE", "CLAVECURSO", "CTAREA"}));
    EXPECT_EQ(paso.Leer("ASIGT", {"CASIG", "CPROF", "CGRUP", "CAULA", "TURNO", "NIVEL", "CURSO",
                                  "GRUPO", "SESIONES", "CLAVE", "CLAVECURSO", "CTAREA"}),
              (Filas{{"MAT", "", "BACHC2B", "", "", "BACHC", "2", "B", "1111", "M1", "C2", "1"}}));
    Tabla asignaciones(paso.Carpeta(), "ASIGT");
    asignaciones.First();
    EXPECT_EQ(asignaciones.FieldByName("HORAS").Info().tipo, 'N');
    EXPECT_GT(asignaciones.FieldByName("HORAS").Info().decimales, 0);
    EXPECT_DOUBLE_EQ(asignaciones.FieldByName("HORAS").AsFloat(), 4.0);
}

} // namespace
} // namespace belvaro::prueba
