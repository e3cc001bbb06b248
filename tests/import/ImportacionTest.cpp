// The whole import on small tables: teacher walk, numbering, document shape, the
// output file, and every way the job can end.

#include "app/Error.h"
#include "app/Mensajes.h"
#include "import/TrabajoImportar.h"
#include "seneca/XmlDocument.h"
#include "tests/import/EscenarioImportar.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

namespace belvaro::prueba {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class InterlocutorConCursor : public InterlocutorPrueba {
  public:
    std::vector<bool> cursor;
    void CursorEspera(bool activo) override { cursor.push_back(activo); }
};

std::vector<std::string> Datos(XmlNode bloque) {
    std::vector<std::string> valores;
    const XmlNodeList datos = bloque.selectNodes("dato");
    for (int i = 0; i < datos.length(); ++i)
        valores.push_back(datos.item(i).text());
    return valores;
}

class ImportacionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        e.grupost = {{"ESO1A", "U1", "C1"}};
        e.asigt = {{"MAT", "ESO1A", "M1", "C1"}};
        e.asignomt = {{"MAT", ""}};
        e.diashorast = {{"11", "T11", "1", "0800", "0900"},
                        {"12", "T12", "1", "0900", "1000"},
                        {"23", "T23", "2", "1000", "1100"}};
    }

    FinTrabajo Importar() {
        interlocutor.archivos.push_back(e.Seneca());
        return BImportarClick(sesion, {e.carpeta.ruta(), {}}, interlocutor, &informe);
    }

    XmlDocument Salida() const {
        XmlDocument doc;
        doc.load(e.Salida());
        return doc;
    }

    // Every table the job opened can be had exclusively again.
    void TablasLiberadas() const {
        for (const auto& nombre : kTablasImportar)
            EXPECT_NO_THROW(Tabla(e.carpeta.ruta(), nombre, Acceso::Exclusivo)) << nombre;
    }

    EscenarioImportar e;
    EstadoSesion sesion;
    InterlocutorConCursor interlocutor;
    InformeImportar informe;
};

TEST_F(ImportacionTest, UnBloquePorProfesorYActividadesNumeradasSinHuecos) {
    e.proft = {{"P1", "E1", "01/09/2020"},
               {"O'N", "E2", "02/09/2020"},
               {"P3", "E3", ""},
               {"P4", "E4", ""}};
    e.soluc = {
        {"P1", "1", "1", "MAT", "ESO1A", "", "A1"}, {"O", "1", "2", "MAT", "ESO1A", "", "A1"},
        {"P1", "0", "2", "MAT", "ESO1A", "", "A1"}, {"P1", "2", "3", "MAT", "ESO1A", "", "A2"},
        {"P1", "3", "9", "MAT", "ESO1A", "", "A3"}, {"O'N", "1", "2", "MAT", "ESO1A", "", "A4"},
        {"P4", "0", "1", "MAT", "ESO1A", "", "A1"}, {"P4", "0", "2", "MAT", "ESO1A", "", "A1"},
        {"ZZZ", "1", "1", "MAT", "ESO1A", "", "A1"}};
    e.Escribir();

    ASSERT_EQ(Importar(), FinTrabajo::Terminado);
    EXPECT_EQ(sesion.Transformado, 1);
    EXPECT_THAT(interlocutor.mensajes, ElementsAre(mensajes::kProcesoFinalizado));
    EXPECT_THAT(interlocutor.cursor, ElementsAre(true, false));

    const XmlDocument doc = Salida();
    EXPECT_THAT(
        Datos(doc.selectSingleNode("/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq=\"ANNO_ACADEMICO\"]")),
        ElementsAre("2026"));
    const XmlNode regulares =
        doc.selectSingleNode("/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq=\"HORARIOS_REGULARES\"]");
    ASSERT_TRUE(regulares);
    EXPECT_EQ(regulares.getAttribute("registros"), "4");
    const XmlNodeList profesores = regulares.selectNodes("grupo_datos");
    ASSERT_EQ(profesores.length(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(profesores.item(i).getAttribute("seq"),
                  "HORARIO_REGULAR_PROFESOR_" + std::to_string(i + 1));

    const XmlNode p1 = profesores.item(0);
    EXPECT_EQ(p1.getAttribute("registros"), "3");
    EXPECT_THAT(Datos(p1), ElementsAre("E1", "01/09/2020"));
    const XmlNodeList act = p1.selectNodes("grupo_datos");
    ASSERT_EQ(act.length(), 3);
    EXPECT_EQ(act.item(0).getAttribute("seq"), "ACTIVIDAD_1");
    EXPECT_EQ(act.item(1).getAttribute("seq"), "ACTIVIDAD_2");
    EXPECT_EQ(act.item(2).getAttribute("seq"), "ACTIVIDAD_3");
    EXPECT_THAT(Datos(act.item(1)), ElementsAre("2", "T23", "A2", "U1", "C1", "M1", "15/09/2026",
                                                "22/06/2027", "1000", "1100", "1"));
    // A slot matching nothing, right after one that matched: four empty values.
    EXPECT_THAT(Datos(act.item(2)), ElementsAre("", "", "A3", "U1", "C1", "M1", "15/09/2026",
                                                "22/06/2027", "", "", "1"));
    const XmlNodeList nombres = act.item(0).selectNodes("dato/@nombre_dato");
    ASSERT_EQ(nombres.length(), 11);
    EXPECT_EQ(nombres.item(0).text(), "N_DIASEMANA");
    EXPECT_EQ(nombres.item(10).text(), "X_ACTIVIDAD");

    // The quoted abbreviation picks exactly its own row, numbered from 1 again.
    const XmlNode quote = profesores.item(1);
    EXPECT_EQ(quote.getAttribute("registros"), "1");
    const XmlNodeList actQuote = quote.selectNodes("grupo_datos");
    ASSERT_EQ(actQuote.length(), 1);
    EXPECT_EQ(actQuote.item(0).getAttribute("seq"), "ACTIVIDAD_1");
    EXPECT_EQ(Datos(actQuote.item(0))[2], "A4");

    // No rows, or only unplaced ones: the block and its two values, nothing more.
    for (int i : {2, 3}) {
        EXPECT_EQ(profesores.item(i).getAttribute("registros"), "0");
        EXPECT_EQ(profesores.item(i).selectNodes("*").length(), 2);
    }

    EXPECT_EQ(informe.salida, e.Salida());
    EXPECT_EQ(informe.profesores, 4);
    EXPECT_EQ(informe.actividades, 4);
    EXPECT_THAT(informe.profesoresDesconocidos, ElementsAre("O", "ZZZ"));
    ASSERT_EQ(informe.dudosas.size(), 1u);
    EXPECT_EQ(informe.dudosas[0].profesor, "P1");
    EXPECT_EQ(informe.dudosas[0].dia, "3");
    EXPECT_EQ(informe.dudosas[0].hora, "9");
    EXPECT_THAT(informe.dudosas[0].faltan, ElementsAre("X_TRAMO"));
    TablasLiberadas();
}

TEST_F(ImportacionTest, RaizNuevaConSusCuatroAtributosEnOrden) {
    e.proft = {{"P1", "E1", ""}};
    e.Escribir();
    ASSERT_EQ(Importar(), FinTrabajo::Terminado);

    const std::string xml = LeerArchivo(e.Salida());
    const std::regex raiz(
        R"(<SERVICIO modulo="HORARIOS" tipo="I" autor="ZELTORA" fecha="\d\d/\d\d/\d{4} \d\d:\d\d:\d\d"><BLOQUE_DATOS><grupo_datos seq="ANNO_ACADEMICO"><dato nombre_dato="C_ANNO">2026</dato></grupo_datos><grupo_datos seq="HORARIOS_REGULARES" registros="1"><grupo_datos seq="HORARIO_REGULAR_PROFESOR_1" registros="0"><dato nombre_dato="X_EMPLEADO">E1</dato><dato nombre_dato="F_TOMAPOS"/></grupo_datos></grupo_datos></BLOQUE_DATOS></SERVICIO>)");
    EXPECT_TRUE(std::regex_search(xml, raiz)) << xml;
    EXPECT_THAT(xml, ::testing::Not(HasSubstr("SENECA")));
}

TEST_F(ImportacionTest, ProftVacioDaBloqueSinProfesores) {
    e.soluc = {{"P1", "1", "1", "MAT", "ESO1A", "", "A1"}};
    e.Escribir();
    ASSERT_EQ(Importar(), FinTrabajo::Terminado);
    const XmlDocument doc = Salida();
    const XmlNode regulares =
        doc.selectSingleNode("/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq=\"HORARIOS_REGULARES\"]");
    ASSERT_TRUE(regulares);
    EXPECT_EQ(regulares.getAttribute("registros"), "0");
    EXPECT_EQ(regulares.selectNodes("*").length(), 0);
}

TEST_F(ImportacionTest, DeclaracionCodificacionYComentarioSeConservan) {
    e.proft = {{"P\xD1", "E\xD1", ""}};
    e.soluc = {{"P\xD1", "1", "1", "MAT", "ESO1A", "", "A\xE1"}};
    e.Escribir();
    const std::string entrada = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                                "<!-- delante -->\n"
                                "<SERVICIO modulo=\"X\" otro=\"y\"><BLOQUE_DATOS>"
                                "<grupo_datos seq=\"ANNO_ACADEMICO\"><dato>2026</dato>"
                                "<dato>a</dato></grupo_datos></BLOQUE_DATOS></SERVICIO>\n"
                                "<!-- detras -->\n";
    interlocutor.archivos.push_back(e.Seneca(entrada));
    ASSERT_EQ(BImportarClick(sesion, {e.carpeta.ruta(), {}}, interlocutor, &informe),
              FinTrabajo::Terminado);

    const std::string xml = LeerArchivo(e.Salida());
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", 0), 0u) << xml;
    const auto delante = xml.find("<!-- delante -->");
    const auto detras = xml.find("<!-- detras -->");
    const auto raiz = xml.find("<SERVICIO");
    ASSERT_NE(delante, std::string::npos);
    ASSERT_NE(detras, std::string::npos);
    EXPECT_LT(delante, raiz);
    EXPECT_LT(detras, raiz);
    EXPECT_THAT(xml, HasSubstr(">E\xD1</dato>"));
    EXPECT_THAT(xml, HasSubstr(">A\xE1</dato>"));
    EXPECT_THAT(xml, ::testing::Not(HasSubstr("otro=")));
    EXPECT_EQ(LeerArchivo(e.carpeta.ruta() / "seneca" / "horarios.xml"), entrada);
}

TEST_F(ImportacionTest, NiLaEntradaNiSolucSeEscriben) {
    e.proft = {{"P1", "E1", ""}};
    e.soluc = {{"P1", "1", "1", "MAT", "ESO1A", "", "A1"}};
    e.Escribir();
    const fs::path archivo = e.Seneca();
    const std::string antesXml = LeerArchivo(archivo);
    const std::string antesSoluc = LeerArchivo(RutaTabla(e.carpeta.ruta(), "SOLUC"));
    ASSERT_EQ(Importar(), FinTrabajo::Terminado);
    EXPECT_EQ(LeerArchivo(archivo), antesXml);
    EXPECT_EQ(LeerArchivo(RutaTabla(e.carpeta.ruta(), "SOLUC")), antesSoluc);
}

TEST_F(ImportacionTest, SalidaAnteriorSeReemplaza) {
    e.proft = {{"P1", "E1", ""}};
    e.Escribir();
    e.Seneca();
    EscribirArchivo(e.Salida(), "anterior");
    ASSERT_EQ(Importar(), FinTrabajo::Terminado);
    EXPECT_EQ(informe.salida.filename(), "ResultadoZeltoshorarios.xml");
    EXPECT_THAT(LeerArchivo(e.Salida()), HasSubstr("HORARIOS_REGULARES"));
}

TEST_F(ImportacionTest, SinPeriodosAvisaNoEscribeYSueltaLasTablas) {
    e.proft = {{"P1", "E1", ""}};
    e.conPeriodos = false;
    e.Escribir();
    ASSERT_EQ(Importar(), FinTrabajo::PeriodosNoEncontrado);
    EXPECT_THAT(interlocutor.mensajes, ElementsAre(mensajes::kPeriodosNoEncontrado));
    EXPECT_EQ(sesion.Transformado, 0);
    EXPECT_FALSE(fs::exists(e.Salida()));
    EXPECT_THAT(interlocutor.cursor, ElementsAre(true, false));
    TablasLiberadas();
}

TEST_F(ImportacionTest, DiaQueNoEsNumeroDetieneNombrandoTablaCampoYRegistro) {
    e.proft = {{"P1", "E1", ""}};
    e.Escribir();
    EscribirTabla(
        e.carpeta.ruta(), "SOLUC",
        {{"PROF", TipoCampo::Texto, 10},
         {"DIA", TipoCampo::Texto, 3},
         {"HORA", TipoCampo::Texto, 3},
         {"ASIG", TipoCampo::Texto, 10},
         {"CODGRUPO", TipoCampo::Texto, 10},
         {"TAREA", TipoCampo::Texto, 10},
         {"AULA", TipoCampo::Texto, 10}},
        {{"P1", "1", "1", "MAT", "ESO1A", "", ""}, {"P1", "x", "1", "MAT", "ESO1A", "", ""}});
    e.Seneca();
    EscribirArchivo(e.Salida(), "anterior");
    try {
        Importar();
        FAIL() << "no se detuvo";
    } catch (const Error& error) {
        EXPECT_THAT(error.what(), HasSubstr("SOLUC"));
        EXPECT_THAT(error.what(), HasSubstr("DIA"));
        EXPECT_THAT(error.what(), HasSubstr("registro 2"));
    }
    EXPECT_EQ(LeerArchivo(e.Salida()), "anterior");
    EXPECT_EQ(sesion.Transformado, 0);
    EXPECT_THAT(interlocutor.cursor, ElementsAre(true, false));
    TablasLiberadas();
}

TEST_F(ImportacionTest, SolucAusenteOSinCampoSeNombra) {
    e.proft = {{"P1", "E1", ""}};
    e.Escribir(true);
    EXPECT_THAT([&] { Importar(); }, ::testing::ThrowsMessage<Error>(HasSubstr("SOLUC")));
    EscribirTabla(e.carpeta.ruta(), "SOLUC",
                  {{"PROF", TipoCampo::Texto, 10},
                   {"DIA", TipoCampo::Entero, 2},
                   {"HORA", TipoCampo::Entero, 2},
                   {"ASIG", TipoCampo::Texto, 10},
                   {"CODGRUPO", TipoCampo::Texto, 10},
                   {"TAREA", TipoCampo::Texto, 10}},
                  {});
    EXPECT_THAT([&] { Importar(); }, ::testing::ThrowsMessage<Error>(
                                         ::testing::AllOf(HasSubstr("SOLUC"), HasSubstr("AULA"))));
    EXPECT_FALSE(fs::exists(e.Salida()));
    TablasLiberadas();
}

TEST_F(ImportacionTest, SinArchivoNoExisteArchivo) {
    e.Escribir();
    EXPECT_EQ(BImportarClick(sesion, {e.carpeta.ruta(), {}}, interlocutor, &informe),
              FinTrabajo::NoExisteArchivo);
    EXPECT_THAT(interlocutor.mensajes, ElementsAre(mensajes::kNoExisteArchivo));
    EXPECT_EQ(sesion.Transformado, 0);
    EXPECT_THAT(interlocutor.carpetasIniciales, ElementsAre(e.carpeta.ruta() / "seneca"));

    sesion.ModoAnfitrion = 2;
    interlocutor.archivos.push_back(e.carpeta.ruta() / "no-esta.xml");
    EXPECT_EQ(BImportarClick(sesion, {e.carpeta.ruta(), {}}, interlocutor, &informe),
              FinTrabajo::NoExisteArchivo);
    EXPECT_EQ(sesion.Transformado, -1);
    EXPECT_TRUE(interlocutor.cursor.empty());
}

TEST_F(ImportacionTest, DialogoCanceladoUsaElArchivoAnterior) {
    e.Escribir();
    sesion.ArchivoXML = e.Seneca();
    EXPECT_EQ(BImportarClick(sesion, {e.carpeta.ruta(), {}}, interlocutor, &informe),
              FinTrabajo::Terminado);
    EXPECT_TRUE(fs::exists(e.Salida()));
}

// SOLUC as different hosts may store the day and the slot.
struct CasoTipoDia {
    std::string nombre;
    CampoCrudo dia, hora;
    std::string valorDia, valorHora;
};

class TipoDiaTest : public ImportacionTest, public ::testing::WithParamInterface<CasoTipoDia> {};

TEST_P(TipoDiaTest, ElDiaFormaLaClaveDelTramo) {
    const auto& caso = GetParam();
    e.proft = {{"P1", "E1", ""}};
    e.Escribir(true);
    EscribirDbfCrudo(e.carpeta.ruta() / "SOLUC.DBF",
                     {{"PROF", 'C', 10},
                      caso.dia,
                      caso.hora,
                      {"ASIG", 'C', 10},
                      {"CODGRUPO", 'C', 10},
                      {"TAREA", 'C', 10},
                      {"AULA", 'C', 10}},
                     {{"P1", caso.valorDia, caso.valorHora, "MAT", "ESO1A", "", "A1"}});
    ASSERT_EQ(Importar(), FinTrabajo::Terminado);
    const XmlDocument doc = Salida();
    const XmlNode actividad = doc.selectSingleNode("//grupo_datos[@seq=\"ACTIVIDAD_1\"]");
    ASSERT_TRUE(actividad);
    const auto valores = Datos(actividad);
    ASSERT_EQ(valores.size(), 11u);
    EXPECT_EQ(valores[0], "2");
    EXPECT_EQ(valores[1], "T23");
}

const std::vector<CasoTipoDia> kTiposDia = {
    {"Numerico", {"DIA", 'N', 2}, {"HORA", 'N', 2}, "2", "3"},
    {"NumericoConDecimales", {"DIA", 'N', 5}, {"HORA", 'N', 5}, "2.00", "3.00"},
    {"EnteroBinario", {"DIA", 'I', 4}, {"HORA", 'I', 4}, "2", "3"},
    {"TextoConEspacios", {"DIA", 'C', 3}, {"HORA", 'C', 3}, " 2", "3"},
    {"TextoConCeros", {"DIA", 'C', 3}, {"HORA", 'C', 3}, "02", "03"},
};

INSTANTIATE_TEST_SUITE_P(Tipos, TipoDiaTest, ::testing::ValuesIn(kTiposDia),
                         [](const auto& info) { return info.param.nombre; });

// Files the job cannot take its school year and root from.
struct CasoDocumentoMalo {
    std::string nombre;
    std::string xml;
};

class DocumentoMaloTest : public ImportacionTest,
                          public ::testing::WithParamInterface<CasoDocumentoMalo> {};

TEST_P(DocumentoMaloTest, ErrorClaroYNingunaSalida) {
    e.proft = {{"P1", "E1", ""}};
    e.Escribir();
    interlocutor.archivos.push_back(e.Seneca(GetParam().xml));
    EXPECT_THAT(
        [&] {
            BImportarClick(sesion, {e.carpeta.ruta(), {}}, interlocutor, &informe);
        },
        ::testing::ThrowsMessage<Error>(HasSubstr("horarios.xml")));
    EXPECT_EQ(fs::directory_iterator(e.carpeta.ruta() / "seneca")->path().filename(),
              "horarios.xml");
    EXPECT_EQ(std::distance(fs::directory_iterator(e.carpeta.ruta() / "seneca"),
                            fs::directory_iterator()),
              1);
    EXPECT_EQ(sesion.Transformado, 0);
    TablasLiberadas();
}

const std::vector<CasoDocumentoMalo> kDocumentosMalos = {
    {"NoEsXml", "esto no es XML"},
    {"MalFormado", "<SERVICIO><BLOQUE_DATOS></SERVICIO>"},
    {"SinBloqueDatos", "<SERVICIO><OTRO/></SERVICIO>"},
    {"BloqueDatosVacio", "<SERVICIO><BLOQUE_DATOS/></SERVICIO>"},
    {"OtraRaiz", "<HORARIOS><BLOQUE_DATOS><grupo_datos><dato>2026</dato></grupo_datos>"
                 "</BLOQUE_DATOS></HORARIOS>"},
};

INSTANTIATE_TEST_SUITE_P(Documentos, DocumentoMaloTest, ::testing::ValuesIn(kDocumentosMalos),
                         [](const auto& info) { return info.param.nombre; });

} // namespace
} // namespace belvaro::prueba
