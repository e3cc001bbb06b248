#include "tests/export/PasoExportar.h"

#include "app/Error.h"

#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

const std::vector<DefCampo> kCamposCursos = {
    {"ABREV", TipoCampo::Texto, 3},  {"TURNO", TipoCampo::Texto, 1},
    {"NIVEL", TipoCampo::Texto, 5},  {"CURSO", TipoCampo::Texto, 3},
    {"CLAVE", TipoCampo::Texto, 10}, {"ESTUD", TipoCampo::Texto, 80},
};

// A CURSOST row: key, level, year, studies.
std::vector<std::string> Curso(const std::string& clave, const std::string& nivel,
                               const std::string& curso, const std::string& estud = "Estudios") {
    return {"", "", nivel, curso, clave, estud};
}

// A unit record: its code, a name that is never read, its course key.
DocumentoSeneca::Valores Unidad(const std::string& codigo, const std::string& curso) {
    return {codigo, "Nombre " + codigo, curso};
}

std::vector<DocumentoSeneca::Valores> Unidades(int cuantas, const std::string& curso) {
    std::vector<DocumentoSeneca::Valores> unidades;
    for (int i = 1; i <= cuantas; ++i)
        unidades.push_back(Unidad("U" + std::to_string(i), curso));
    return unidades;
}

struct CasoGrupos {
    std::string nombre;
    Filas cursos;
    std::vector<DocumentoSeneca::Valores> unidades;
    // Expected ABREV, NIVEL, CURSO, GRUPO, DESCRIP of the rows listed by number.
    std::vector<std::pair<std::size_t, std::vector<std::string>>> esperadas;
    std::size_t filas;
    std::vector<std::string> sinCurso;
};

void PrintTo(const CasoGrupos& caso, std::ostream* os) {
    *os << caso.nombre;
}

class CrearGruposCasos : public ::testing::TestWithParam<CasoGrupos> {};

TEST_P(CrearGruposCasos, AbreviaturasYValores) {
    const CasoGrupos& caso = GetParam();
    PasoExportar paso;
    paso.EscribirTabla("CURSOST", kCamposCursos, caso.cursos);
    auto& trabajo = paso.Trabajo(DocumentoSeneca().Lista("UNIDADES", caso.unidades));
    trabajo.CrearGrupos();

    const Filas filas =
        paso.Leer("GRUPOST", {"ABREV", "NIVEL", "CURSO", "GRUPO", "DESCRIP", "TURNO"});
    ASSERT_EQ(filas.size(), caso.filas);
    for (const auto& [numero, esperada] : caso.esperadas) {
        ASSERT_LT(numero, filas.size());
        auto fila = filas[numero];
        EXPECT_EQ(fila.back(), "") << "TURNO of row " << numero;
        fila.pop_back();
        EXPECT_EQ(fila, esperada) << "row " << numero;
    }
    EXPECT_EQ(trabajo.informe.unidadesSinCurso, caso.sinCurso);
    ASSERT_FALSE(trabajo.informe.filasPorTabla.empty());
    EXPECT_EQ(trabajo.informe.filasPorTabla.back(),
              (std::pair<std::string, int>("GRUPOST", static_cast<int>(caso.filas))));
}

std::vector<CasoGrupos> CasosGrupos() {
    return {
        {"TresUnidadesDeUnCurso",
         {Curso("C1", "ESO", "1", "Educación")},
         Unidades(3, "C1"),
         {{0, {"ESO1A", "ESO", "1", "A", "Educación"}},
          {1, {"ESO1B", "ESO", "1", "B", "Educación"}},
          {2, {"ESO1C", "ESO", "1", "C", "Educación"}}},
         3,
         {}},
        {"NivelDeCincoLetras",
         {Curso("C2", "BACHC", "2")},
         Unidades(1, "C2"),
         {{0, {"BACHC2A", "BACHC", "2", "A", "Estudios"}}},
         1,
         {}},
        {"SoloElPrimerCaracterDelCurso",
         {Curso("C1", "ESO", "1\xBA")},
         Unidades(1, "C1"),
         {{0, {"ESO1A", "ESO", "1\xBA", "A", "Estudios"}}},
         1,
         {}},
        {"NivelVacio",
         {Curso("C1", "", "2")},
         Unidades(2, "C1"),
         {{0, {"2A", "NIV", "2", "A", "Estudios"}}, {1, {"2B", "NIV", "2", "B", "Estudios"}}},
         2,
         {}},
        {"CursoNoEncontrado",
         {Curso("C1", "ESO", "1")},
         {Unidad("U1", "X9"), Unidad("U2", "X9")},
         {{0, {"A", "NIV", "", "A", ""}}, {1, {"B", "NIV", "", "B", ""}}},
         2,
         {"U1", "U2"}},
        {"ClaveRepetidaGanaLaPrimera",
         {Curso("C1", "ESO", "1"), Curso("C1", "BACH", "2")},
         Unidades(1, "C1"),
         {{0, {"ESO1A", "ESO", "1", "A", "Estudios"}}},
         1,
         {}},
        {"LaClaveDistingueMayusculas",
         {Curso("c1", "BACH", "2"), Curso("C1", "ESO", "1")},
         Unidades(1, "C1"),
         {{0, {"ESO1A", "ESO", "1", "A", "Estudios"}}},
         1,
         {}},
        {"BaseQueChocaSinDistinguirMayusculas",
         {Curso("C1", "ESO", "1"), Curso("C2", "eso", "1")},
         {Unidad("U1", "C1"), Unidad("U2", "C2"), Unidad("U3", "C1")},
         {{0, {"ESO1A", "ESO", "1", "A", "Estudios"}},
          {1, {"eso1B", "eso", "1", "B", "Estudios"}},
          {2, {"ESO1C", "ESO", "1", "C", "Estudios"}}},
         3,
         {}},
        {"NivelesQueCompartenBase",
         {Curso("C1", "ESO1", ""), Curso("C2", "ESO", "1")},
         {Unidad("U1", "C1"), Unidad("U2", "C2")},
         {{0, {"ESO1A", "ESO1", "", "A", "Estudios"}}, {1, {"ESO1B", "ESO", "1", "B", "Estudios"}}},
         2,
         {}},
        {"La27DespuesDeZ",
         {Curso("C1", "ESO", "1")},
         Unidades(27, "C1"),
         {{25, {"ESO1Z", "ESO", "1", "Z", "Estudios"}},
          {26, {"ESO1[", "ESO", "1", "[", "Estudios"}}},
         27,
         {}},
        // After ` (the 32nd) come the lower-case letters, equal to used ones: skipped.
        {"MinusculasSaltadas",
         {Curso("C1", "ESO", "1")},
         Unidades(33, "C1"),
         {{31, {"ESO1`", "ESO", "1", "`", "Estudios"}},
          {32, {"ESO1{", "ESO", "1", "{", "Estudios"}}},
         33,
         {}},
        {"RegistrosCortos",
         {Curso("C1", "ESO", "1")},
         {{"U1"}, {"U2", "sin curso"}, Unidad("U3", "C1")},
         {{0, {"A", "NIV", "", "A", ""}}, {1, {"ESO1A", "ESO", "1", "A", "Estudios"}}},
         2,
         {"U2"}},
    };
}

INSTANTIATE_TEST_SUITE_P(Grupos, CrearGruposCasos, ::testing::ValuesIn(CasosGrupos()),
                         [](const auto& info) { return info.param.nombre; });

TEST(CrearGrupos, CopiaLasClavesDeUnidadYCurso) {
    PasoExportar paso;
    paso.EscribirTabla("CURSOST", kCamposCursos, {Curso("C1", "ESO", "1")});
    paso.Trabajo(DocumentoSeneca().Lista("UNIDADES", {{"  7001 ", "1º A", " C1 "}})).CrearGrupos();
    EXPECT_EQ(paso.NombresDeCampos("GRUPOST"),
              (std::vector<std::string>{"ABREV", "TURNO", "NIVEL", "CURSO", "GRUPO", "CLAVE",
                                        "CLAVECURSO", "DESCRIP"}));
    EXPECT_EQ(paso.Leer("GRUPOST", {"ABREV", "CLAVE", "CLAVECURSO"}),
              (Filas{{"ESO1A", "7001", "C1"}}));
}

// Windows-1252 has 131 characters from A on that differ from each other when case is
// ignored; the 132nd unit of one base has no letter left.
TEST(CrearGrupos, SecuenciaAgotadaDetieneConMensaje) {
    PasoExportar paso;
    paso.EscribirTabla("CURSOST", kCamposCursos, {Curso("C1", "ESO", "1")});
    auto& trabajo = paso.Trabajo(DocumentoSeneca().Lista("UNIDADES", Unidades(132, "C1")));
    try {
        trabajo.CrearGrupos();
        FAIL() << "the 132nd unit got an abbreviation";
    } catch (const Error& e) {
        const std::string mensaje = e.what();
        EXPECT_NE(mensaje.find("ESO1A"), std::string::npos) << mensaje;
        EXPECT_NE(mensaje.find("U132"), std::string::npos) << mensaje;
    }
    const Filas filas = paso.Leer("GRUPOST", {"ABREV"});
    ASSERT_EQ(filas.size(), 131u);
    EXPECT_EQ(filas.back(), (std::vector<std::string>{"ESO1\xF7"})); // ÷, the last one free
}

} // namespace
} // namespace belvaro::prueba
