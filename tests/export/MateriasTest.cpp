#include "tests/export/PasoExportar.h"

#include "app/Error.h"
#include "export/CodigosMaterias.h"
#include "seneca/CodePage.h"

#include <gtest/gtest.h>

#include <set>

namespace belvaro::prueba {
namespace {

const std::vector<DefCampo> kCamposCatalogo = {
    {"NOMBRE", TipoCampo::Texto, 80},
    {"COD", TipoCampo::Texto, 15},
    {"CODLARGO", TipoCampo::Texto, 15},
};

// SENEMATERIAS.DBF beside the job, from rows of NOMBRE (UTF-8), COD and CODLARGO.
void EscribirCatalogo(const PasoExportar& paso, Filas filas) {
    for (auto& fila : filas)
        fila[0] = Utf8AAnsi(fila[0]);
    paso.EscribirTabla("SENEMATERIAS", kCamposCatalogo, filas);
}

// A MATERIAS record: course key, subject key, name.
DocumentoSeneca::Valores Materia(const std::string& curso, const std::string& clave,
                                 const std::string& nombre) {
    return {curso, clave, nombre};
}

// One record per name, each with its own subject key, all in one course.
std::vector<DocumentoSeneca::Valores> UnaPorNombre(const std::vector<std::string>& nombres) {
    std::vector<DocumentoSeneca::Valores> registros;
    for (std::size_t i = 0; i < nombres.size(); ++i)
        registros.push_back(Materia("C1", "M" + std::to_string(i), nombres[i]));
    return registros;
}

struct CasoCodigos {
    std::string nombre;
    Filas catalogo;                   // NOMBRE, COD, CODLARGO
    std::vector<std::string> nombres; // one subject each, UTF-8
    Filas esperadas;                  // COD, CODLARGO of ASIGNOMT, Windows-1252
};

std::vector<std::string> Doce(const std::string& texto) {
    std::vector<std::string> nombres;
    for (int i = 1; i <= 12; ++i)
        nombres.push_back(texto + " " + std::to_string(i));
    return nombres;
}

Filas CodigosAbcdefghij() {
    Filas filas = {{"ABCDEFGHIJ", "ABCDEFGHIJ"}};
    for (int k = 1; k <= 9; ++k)
        filas.push_back({"ABCDEFGHI" + std::to_string(k), "ABCDEFGHIJ"});
    filas.push_back({"ABCDEFGH10", "ABCDEFGHIJ"});
    filas.push_back({"ABCDEFGH11", "ABCDEFGHIJ"}); // the twelfth gets a free code
    return filas;
}

const std::vector<CasoCodigos> kCasosCodigos = {
    {"Derivados",
     {},
     {"Biología y Geología", "Matemáticas", "Lengua castellana y literatura", "ámbito Científico",
      "Bellas Gráficas"},
     {{"BG", "Biolog\xED"
             "a y"},
      {"Matem\xE1", "Matem\xE1"},
      {"Lcyl", "Lengua cas"},
      {"\xE1"
       "C",
       "\xE1"
       "mbito Cie"},
      {"B1", "Bellas Gr\xE1"}}},
    {"DoceConElMismoCodigo", {}, Doce("ABCDEFGHIJ"), CodigosAbcdefghij()},
    {"CaracterUnicoOcupado",
     {{"Equis", "X", "EQ"}, {"Otra equis", "X", "EQ2"}},
     {"Equis", "X", "Otra equis"},
     {{"X", "EQ"}, {"1", "X"}, {"2", "EQ2"}}},
    {"CatalogoLargoYSinCodigoLargo",
     {{"Tutoría", "ABCDEFGHIJKL", ""}, {"Tutoría", "OTRO", "OTRO"}},
     {"Tutoría"},
     {{"ABCDEFGHIJ", "ABCDEFGHIJ"}}},
    {"CatalogoTalCual", {{"Música", "  MUS", "MUSICA ES"}}, {"Música"}, {{"  MUS", "MUSICA ES"}}},
    {"CatalogoSinCodigoDerivaYGuardaElLargo",
     {{"Francés", " ", "FR"}},
     {"Francés"},
     {{"Franc\xE9", "FR"}}},
    // Upper-cased the names are equal, and so are the long codes, but the pair of long
    // code and name is not: two subjects.
    {"NombresQueSoloDifierenEnMayusculas",
     {{"Religión", "REL", "RELIGION"}, {"religión", "REL", "RELIGION"}},
     {"Religión", "religión"},
     {{"REL", "RELIGION"}, {"RE1", "RELIGION"}}},
    {"NombreVacioRecibeUnNumero", {}, {"", "1"}, {{"1", ""}, {"2", "1"}}},
};

void PrintTo(const CasoCodigos& caso, std::ostream* salida) {
    *salida << caso.nombre;
}

class CrearMateriasCodigos : public ::testing::TestWithParam<CasoCodigos> {};

TEST_P(CrearMateriasCodigos, CodigosDeASIGNOMTyASIGNOMT2) {
    const CasoCodigos& caso = GetParam();
    PasoExportar paso;
    EscribirCatalogo(paso, caso.catalogo);
    auto& trabajo = paso.Trabajo(DocumentoSeneca().Lista("MATERIAS", UnaPorNombre(caso.nombres)));
    trabajo.CrearMaterias();

    EXPECT_EQ(paso.Leer("ASIGNOMT", {"COD", "CODLARGO"}), caso.esperadas);
    Filas puente = paso.Leer("ASIGNOMT2", {"COD", "CODLARGO"});
    EXPECT_EQ(puente, caso.esperadas);
    std::set<std::string> distintos;
    for (const auto& fila : puente)
        distintos.insert(fila[0]);
    EXPECT_EQ(distintos.size(), puente.size()) << "codes repeat";
}

INSTANTIATE_TEST_SUITE_P(Casos, CrearMateriasCodigos, ::testing::ValuesIn(kCasosCodigos),
                         [](const auto& info) { return info.param.nombre; });

TEST(CrearMaterias, UnaMateriaEnVariosCursosDaUnaFilaYUnPuentePorCurso) {
    const std::string largo = "K123456789012345678901234";
    PasoExportar paso;
    EscribirCatalogo(paso, {});
    auto& trabajo = paso.Trabajo(DocumentoSeneca().Lista(
        "MATERIAS", {Materia("  C1 ", "M7", "  Biología y Geología  "),
                     Materia("C2", "M7", "Biología y Geología"),
                     {"solo un dato"},
                     Materia("C1", "M7", "Biología y Geología"),
                     Materia("C3", "M8", "Biología y Geología"),
                     // A key longer than its field is compared as stored: no second row.
                     Materia("C4", largo, "Biología y Geología"),
                     Materia("C4", largo, "Biología y Geología")}));
    trabajo.CrearMaterias();

    const Filas esperada = {{"BG",
                             "Biolog\xED"
                             "a y",
                             "Biolog\xED"
                             "a y Geolog\xED"
                             "a",
                             "", "F"}};
    EXPECT_EQ(paso.Leer("ASIGNOMT", {"COD", "CODLARGO", "NOMBRE", "CODTAREA", "ESTAREA"}),
              esperada);
    const Filas puente =
        paso.Leer("ASIGNOMT2", {"COD", "MATERIA", "OFERTAMATRI", "CODTAREA", "ESTAREA"});
    const Filas esperadoPuente = {{"BG", "M7", "C1", "", "F"},
                                  {"BG", "M7", "C2", "", "F"},
                                  {"BG", "M8", "C3", "", "F"},
                                  {"BG", largo.substr(0, 20), "C4", "", "F"}};
    EXPECT_EQ(puente, esperadoPuente);

    const std::vector<std::pair<std::string, int>> cuentas = {{"ASIGNOMT", 1}, {"ASIGNOMT2", 4}};
    EXPECT_EQ(trabajo.informe.filasPorTabla, cuentas);
    EXPECT_EQ(trabajo.informe.lectura.bloques["MATERIAS"].saltados, std::set<int>{2});
}

// The long code of a catalogue subject is kept whole in the lists, and its first 10
// characters find the subject's row again for a further course.
TEST(CrearMaterias, CodigoLargoDeCatalogoDeMasDeDiezCaracteres) {
    PasoExportar paso;
    EscribirCatalogo(paso, {{"Tutoría", "TUT", "TUTORIAXYZ12"}});
    auto& trabajo = paso.Trabajo(DocumentoSeneca().Lista(
        "MATERIAS", {Materia("C1", "M1", "Tutoría"), Materia("C2", "M1", "Tutoría")}));
    trabajo.CrearMaterias();

    EXPECT_TRUE(trabajo.CodigosLargos.contains("TUTORIAXYZ12"));
    EXPECT_EQ(paso.Leer("ASIGNOMT", {"COD", "CODLARGO"}), (Filas{{"TUT", "TUTORIAXYZ"}}));
    EXPECT_EQ(paso.Leer("ASIGNOMT2", {"COD", "OFERTAMATRI"}),
              (Filas{{"TUT", "C1"}, {"TUT", "C2"}}));
}

TEST(CrearMaterias, SinBloqueCreaLasTablasVacias) {
    PasoExportar paso;
    EscribirCatalogo(paso, {});
    auto& trabajo = paso.Trabajo(DocumentoSeneca().Lista("materias", UnaPorNombre({"Latín"})));
    trabajo.CrearMaterias();

    EXPECT_TRUE(paso.Leer("ASIGNOMT", {"COD"}).empty());
    EXPECT_TRUE(paso.Leer("ASIGNOMT2", {"COD"}).empty());
    const std::vector<std::string> campos2 = {"COD",        "CODLARGO", "NOMBRE", "MATERIA",
                                              "OFERTAMATR", "CODTAREA", "ESTAREA"};
    EXPECT_EQ(paso.NombresDeCampos("ASIGNOMT2"), campos2);
}

TEST(CrearMaterias, SinCatalogoEsUnErrorQueLoNombra) {
    PasoExportar paso;
    auto& trabajo = paso.Trabajo(DocumentoSeneca().Lista("MATERIAS", UnaPorNombre({"Latín"})));
    try {
        trabajo.CrearMaterias();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("SENEMATERIAS.DBF"), std::string::npos) << e.what();
    }
}

// Far more subjects than two digits can number keep getting codes of at most 10
// characters that no other subject holds.
TEST(NumeradorCodigos, CodigosUnicosMasAllaDeCien) {
    std::set<std::string> usados;
    NumeradorCodigos numerador(usados);
    std::vector<std::string> dados;
    for (int i = 0; i < 1200; ++i)
        dados.push_back(numerador.Asignar("ABCDEFGHIJ"));

    EXPECT_EQ(usados.size(), dados.size());
    for (const auto& codigo : dados)
        EXPECT_LE(codigo.size(), 10u) << codigo;
    EXPECT_EQ(dados[10], "ABCDEFGH10");
    EXPECT_EQ(dados[99], "ABCDEFGH99");
    EXPECT_EQ(dados[100], "ABCDEFG100");
    EXPECT_EQ(dados[1000], "ABCDEF1000");
}

} // namespace
} // namespace belvaro::prueba
