// The reading rules every conversion step shares.
#include "seneca/Seneca.h"
#include "app/Error.h"
#include "tests/support/Apoyo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace belvaro {
namespace {

using prueba::CarpetaTemporal;
using prueba::DocumentoSeneca;
using Filas = std::vector<std::vector<std::string>>;

XmlDocument Cargar(const CarpetaTemporal& carpeta, const std::string& xml) {
    prueba::EscribirArchivo(carpeta / "seneca.xml", xml);
    XmlDocument doc;
    doc.load(carpeta / "seneca.xml");
    return doc;
}

// Every record of the block as the loop hands it over, positions 0..maxima.
Filas Leer(const XmlDocument& doc, const std::string& bloque, int maxima, InformeLectura& informe,
           bool sinPrueba = false) {
    Filas filas;
    RecorrerBloque(
        doc, bloque, maxima, informe,
        [&](const RegistroSeneca& r) {
            std::vector<std::string> fila;
            for (int k = 0; k <= maxima; ++k) {
                fila.push_back(r.valor(k));
            }
            filas.push_back(fila);
        },
        sinPrueba);
    return filas;
}

TEST(ExpresionBloque, EsLaDelDocumentoDeSeneca) {
    EXPECT_EQ(ExpresionBloque("MATERIAS"),
              "/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq=\"MATERIAS\"]/grupo_datos");
    EXPECT_EQ(ExpresionBloque("A\"B"),
              "/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq='A\"B']/grupo_datos");
    EXPECT_THROW(ExpresionBloque("A\"B'C"), Error);
}

struct Lectura {
    const char* nombre;
    std::string registros; // the records of block "B", as XML
    int maxima;
    Filas esperado;
    std::set<int> saltados;
    std::set<int> incompletos;
};

class RecorrerBloqueCasos : public testing::TestWithParam<Lectura> {};

TEST_P(RecorrerBloqueCasos, LeePorPosicion) {
    CarpetaTemporal carpeta;
    XmlDocument doc = Cargar(
        carpeta, DocumentoSeneca()
                     .Directo("ANNO", {"2025", "a", "b"})
                     .Crudo("<grupo_datos seq=\"B\">" + GetParam().registros + "</grupo_datos>")
                     .Xml());
    InformeLectura informe;
    EXPECT_EQ(Leer(doc, "B", GetParam().maxima, informe), GetParam().esperado);
    EXPECT_EQ(informe.bloques["B"].saltados, GetParam().saltados);
    EXPECT_EQ(informe.bloques["B"].incompletos, GetParam().incompletos);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, RecorrerBloqueCasos,
    testing::Values(
        Lectura{"EnOrden",
                "<grupo_datos><dato nombre_dato=\"A\">1</dato><dato nombre_dato=\"B\">2</dato>"
                "</grupo_datos><grupo_datos><dato>3</dato><dato>4</dato></grupo_datos>",
                1,
                {{"1", "2"}, {"3", "4"}},
                {},
                {}},
        Lectura{"DatoCambiadoCambiaValores",
                "<grupo_datos><dato nombre_dato=\"B\">2</dato><dato nombre_dato=\"A\">1</dato>"
                "</grupo_datos>",
                1,
                {{"2", "1"}},
                {},
                {}},
        Lectura{"NombreDatoNoCuenta",
                "<grupo_datos><dato nombre_dato=\"Z\">x</dato><dato>y</dato></grupo_datos>",
                1,
                {{"x", "y"}},
                {},
                {}},
        Lectura{"OtrosElementosNoDesplazan",
                "<grupo_datos><otro>no</otro><dato>a<b>c</b></dato><!-- c --><nota>n</nota>"
                "<dato>d</dato></grupo_datos>",
                1,
                {{"ac", "d"}},
                {},
                {}},
        Lectura{"UnDatoSeSalta",
                "<grupo_datos><dato>solo</dato></grupo_datos>"
                "<grupo_datos/><grupo_datos><dato>x</dato><dato>y</dato></grupo_datos>",
                1,
                {{"x", "y"}},
                {0, 1},
                {}},
        Lectura{"EspaciosFueraDentroQuedan",
                "<grupo_datos><dato>   </dato><dato>  Aula  3  </dato><dato>\tt </dato>"
                "</grupo_datos>",
                2,
                {{"", "Aula  3", "\tt"}},
                {},
                {}},
        Lectura{"PosicionQueFaltaEsVaciaYCuenta",
                "<grupo_datos><dato>a</dato><dato>b</dato></grupo_datos>"
                "<grupo_datos><dato>c</dato><dato>d</dato><dato>e</dato></grupo_datos>",
                2,
                {{"a", "b", ""}, {"c", "d", "e"}},
                {},
                {0}},
        Lectura{"ConversionAAnsi",
                "<grupo_datos><dato>Educación Física</dato><dato>α€</dato></grupo_datos>",
                1,
                {{"Educaci\xF3n F\xEDsica", "?\x80"}},
                {},
                {}}),
    [](const testing::TestParamInfo<Lectura>& info) { return std::string(info.param.nombre); });

TEST(RecorrerBloque, NombreDeBloqueDistingueMayusculas) {
    CarpetaTemporal carpeta;
    XmlDocument doc = Cargar(carpeta, DocumentoSeneca().Lista("materias", {{"a", "b"}}).Xml());
    InformeLectura informe;
    EXPECT_TRUE(Leer(doc, "MATERIAS", 1, informe).empty());
    EXPECT_EQ(Leer(doc, "materias", 1, informe), (Filas{{"a", "b"}}));
    EXPECT_TRUE(Leer(doc, "NO_ESTA", 1, informe).empty());
}

TEST(RecorrerBloque, SinPruebaDeDatosLeeTodo) {
    CarpetaTemporal carpeta;
    XmlDocument doc = Cargar(
        carpeta, DocumentoSeneca().Lista("TRAMOS", {{"1", "8:00", "480", "540"}, {"2"}}).Xml());
    InformeLectura informe;
    EXPECT_EQ(Leer(doc, "TRAMOS", 3, informe, true),
              (Filas{{"1", "8:00", "480", "540"}, {"2", "", "", ""}}));
    EXPECT_TRUE(informe.bloques["TRAMOS"].saltados.empty());
    EXPECT_EQ(informe.bloques["TRAMOS"].incompletos, (std::set<int>{1}));
}

TEST(RecorrerBloque, CadaRegistroCuentaUnaVezAunqueSeLeaVariasVeces) {
    CarpetaTemporal carpeta;
    XmlDocument doc = Cargar(carpeta, DocumentoSeneca()
                                          .Lista("B", {{"a", "b"}, {"c", "d", "e"}, {"x"}})
                                          .Lista("C", {{"1", "2"}, {"3", "4"}})
                                          .Xml());
    InformeLectura informe;
    for (int vez = 0; vez < 7; ++vez) {
        Leer(doc, "B", 2, informe);
    }
    Leer(doc, "B", 3, informe);
    Leer(doc, "C", 1, informe);
    EXPECT_EQ(informe.bloques["B"].incompletos, (std::set<int>{0, 1}));
    EXPECT_EQ(informe.bloques["B"].saltados, (std::set<int>{2}));
    EXPECT_EQ(AvisosDeLectura(informe),
              std::vector<std::string>{"2 registros del bloque B no traían todos los datos"});
}

TEST(DatosDe, BloqueConDatoDirecto) {
    CarpetaTemporal carpeta;
    XmlDocument doc = Cargar(
        carpeta, DocumentoSeneca().Directo("ANNO", {" 2025 ", "01/09"}).Lista("B", {}).Xml());
    XmlNodeList bloques = doc.selectNodes(kTodosLosBloques);
    ASSERT_EQ(bloques.length(), 2);
    RegistroSeneca primero = DatosDe(bloques.item(0));
    EXPECT_EQ(primero.length(), 2);
    EXPECT_EQ(primero.valor(0), "2025");
    EXPECT_EQ(primero.valor(2), "");
    EXPECT_EQ(DatosDe(bloques.item(1)).length(), 0);
}

struct Anno {
    const char* nombre;
    std::string bloqueDatos; // content of BLOQUE_DATOS
    std::string esperado;
};

class AnnoEscolarCasos : public testing::TestWithParam<Anno> {};

TEST_P(AnnoEscolarCasos, CuatroPrimerosCaracteres) {
    CarpetaTemporal carpeta;
    XmlDocument doc = Cargar(carpeta, DocumentoSeneca().Crudo(GetParam().bloqueDatos).Xml());
    EXPECT_EQ(AnnoEscolar(doc, "e.xml"), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, AnnoEscolarCasos,
    testing::Values(Anno{"Normal",
                         "\n  <grupo_datos seq=\"ANNO_ACADEMICO\">\n    <dato>2025</dato>\n"
                         "    <dato>15/09/2025</dato>\n  </grupo_datos>\n<grupo_datos seq=\"X\"/>",
                         "2025"},
                    Anno{"SinRecortar", "<grupo_datos><dato> 2025</dato></grupo_datos>", " 202"},
                    Anno{"TextoDeTodoElBloque",
                         "<grupo_datos><dato>20</dato><dato>2601</dato></grupo_datos>", "2026"},
                    Anno{"Corto", "<grupo_datos><dato>25</dato></grupo_datos>", "25"},
                    Anno{"EnAnsi", "<grupo_datos><dato>Año€x</dato></grupo_datos>", "A\xF1o\x80"}),
    [](const testing::TestParamInfo<Anno>& info) { return std::string(info.param.nombre); });

class AnnoEscolarRoto : public testing::TestWithParam<std::string> {};

TEST_P(AnnoEscolarRoto, ErrorQueNombraElArchivo) {
    CarpetaTemporal carpeta;
    XmlDocument doc = Cargar(carpeta, GetParam());
    try {
        AnnoEscolar(doc, "/datos/horarios.xml");
        FAIL() << "se esperaba un error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("/datos/horarios.xml"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, AnnoEscolarRoto,
                         testing::Values("<SERVICIO/>", "<SERVICIO><BLOQUE_DATOS/></SERVICIO>",
                                         "<SERVICIO>\n  <BLOQUE_DATOS>\n  </BLOQUE_DATOS>\n"
                                         "</SERVICIO>",
                                         "<OTRO><BLOQUE_DATOS><g/></BLOQUE_DATOS></OTRO>"));

} // namespace
} // namespace belvaro
