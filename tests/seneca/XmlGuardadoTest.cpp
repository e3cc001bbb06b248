// Saving gives back the loaded file: declaration, encoding, nodes around the root,
// attribute order, no white space of its own.
#include "app/Error.h"
#include "seneca/XmlDocument.h"
#include "tests/support/Apoyo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace belvaro {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribirArchivo;
using prueba::LeerArchivo;

XmlDocument Cargar(const CarpetaTemporal& carpeta, const std::string& bytes) {
    EscribirArchivo(carpeta / "entrada.xml", bytes);
    XmlDocument doc;
    doc.load(carpeta / "entrada.xml");
    return doc;
}

struct IdaYVuelta {
    const char* nombre;
    std::string bytes;
};

class GuardarSinCambios : public testing::TestWithParam<IdaYVuelta> {};

TEST_P(GuardarSinCambios, EscribeLosMismosBytes) {
    CarpetaTemporal carpeta;
    XmlDocument doc = Cargar(carpeta, GetParam().bytes);
    EXPECT_EQ(doc.serializar(), GetParam().bytes);
    doc.save(carpeta / "salida.xml");
    EXPECT_EQ(LeerArchivo(carpeta / "salida.xml"), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Codificaciones, GuardarSinCambios,
    testing::Values(
        IdaYVuelta{"Latin1",
                   "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                   "<!-- exportado por S\xE9neca -->\n<?hoja tipo=\"x\"?>\n"
                   "<SERVICIO modulo=\"M\" tipo=\"E\" autor=\"A\" fecha=\"1\"><BLOQUE_DATOS>"
                   "<grupo_datos seq=\"MATERIAS\" registros=\"1\"><grupo_datos>"
                   "<dato nombre_dato=\"X\">Educaci\xF3n F\xEDsica &amp; &lt;\xD1&gt; \"a\" 'b'"
                   "</dato><dato nombre_dato=\"Y\"/></grupo_datos></grupo_datos>"
                   "</BLOQUE_DATOS></SERVICIO>\n<!-- fin -->\n"},
        IdaYVuelta{"Windows1252",
                   "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n"
                   "<SERVICIO z=\"1\" a=\"&quot;&lt;&amp;\xE1\"><dato>\x80 10 \x93hola\x94 "
                   "\x8A\x9F</dato></SERVICIO>\r\n"},
        IdaYVuelta{"Utf8", "<?xml version='1.0' encoding='UTF-8' standalone='yes'?>"
                           "<SERVICIO><dato>Ñandú € αβγ 中文 😀</dato><![CDATA[ <crudo> ]]>"
                           "<?pi dentro?><!--c--></SERVICIO><?despues?>"},
        IdaYVuelta{"Utf8ConMarca", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                   "<a b=\"\xC3\xA9\"/>\n"},
        IdaYVuelta{"SinDeclaracion", "<SERVICIO><dato>caf\xC3\xA9</dato></SERVICIO>\n"}),
    [](const testing::TestParamInfo<IdaYVuelta>& info) { return std::string(info.param.nombre); });

TEST(GuardarXml, LoQueLaCodificacionNoTieneVaComoReferencia) {
    CarpetaTemporal carpeta;
    XmlDocument doc = Cargar(carpeta, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r/>\n");
    XmlNode r = doc.documentElement();
    r.setAttribute("a", "\xE2\x82\xAC<\"&"); // € is outside Latin-1
    r.setText("\xC3\xB1 \xCE\xB1 < & >");    // ñ fits, α does not
    std::string bytes = doc.serializar();
    EXPECT_EQ(bytes, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                     "<r a=\"&#8364;&lt;&quot;&amp;\">\xF1 &#945; &lt; &amp; &gt;</r>\n");
    doc.save(carpeta / "salida.xml");
    XmlDocument otra;
    otra.load(carpeta / "salida.xml");
    EXPECT_EQ(otra.documentElement().text(), "\xC3\xB1 \xCE\xB1 < & >");
    EXPECT_EQ(otra.documentElement().getAttribute("a"), "\xE2\x82\xAC<\"&");
}

TEST(GuardarXml, DocumentoNuevoSinDeclaracionEnUtf8) {
    XmlDocument doc;
    XmlNode raiz = doc.appendChild(doc.createElement("SERVICIO"));
    raiz.setAttribute("tipo", "I");
    raiz.setAttribute("registros", 42LL);
    raiz.setAttribute("tipo", "J"); // keeps its place
    raiz.appendChild(doc.createElement("dato")).setText("\xC3\xA9");
    EXPECT_EQ(doc.serializar(),
              "<SERVICIO tipo=\"J\" registros=\"42\"><dato>\xC3\xA9</dato></SERVICIO>\n");
}

// What the import does: the old root goes, a new SERVICIO becomes the last child, and
// what stood around the old root stays in front of it.
TEST(GuardarXml, NuevaRaizTrasLosNodosDelPrologo) {
    CarpetaTemporal carpeta;
    XmlDocument doc =
        Cargar(carpeta, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                        "<!-- antes -->\n<SERVICIO modulo=\"VIEJO\" otro=\"x\">\n"
                        "  <BLOQUE_DATOS>\n    <grupo_datos seq=\"A\"><dato>1</dato>"
                        "<dato>2</dato></grupo_datos>\n  </BLOQUE_DATOS>\n</SERVICIO>\n"
                        "<?despues si?>\n");
    XmlNode viejo = doc.documentElement();
    viejo.removeChild(viejo.selectSingleNode("/SERVICIO/BLOQUE_DATOS"));
    doc.removeChild(doc.selectSingleNode("/SERVICIO"));

    XmlNode servicio = doc.createElement("SERVICIO");
    servicio.setAttribute("modulo", "HORARIOS");
    servicio.setAttribute("tipo", "I");
    doc.appendChild(servicio);
    doc.selectSingleNode("/SERVICIO").appendChild(doc.createNode(1, "BLOQUE_DATOS", ""));
    XmlNode bloque = doc.createElement("grupo_datos");
    bloque.setAttribute("seq", "ANNO_ACADEMICO");
    XmlNode dato = doc.createElement("dato");
    dato.setAttribute("nombre_dato", "C_ANNO");
    dato.setText("2025");
    bloque.appendChild(dato);
    doc.selectSingleNode("/SERVICIO/BLOQUE_DATOS").appendChild(bloque);
    XmlNode vacio = doc.createElement("dato");
    vacio.setAttribute("nombre_dato", "X_TRAMO");
    vacio.setText("");
    bloque.appendChild(vacio);

    EXPECT_EQ(doc.serializar(),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!-- antes -->\n"
              "<?despues si?>\n<SERVICIO modulo=\"HORARIOS\" tipo=\"I\"><BLOQUE_DATOS>"
              "<grupo_datos seq=\"ANNO_ACADEMICO\"><dato nombre_dato=\"C_ANNO\">2025</dato>"
              "<dato nombre_dato=\"X_TRAMO\"/></grupo_datos></BLOQUE_DATOS></SERVICIO>\n");
    // The removed nodes can still be read; they are freed with the document.
    EXPECT_EQ(viejo.getAttribute("modulo"), "VIEJO");
}

TEST(GuardarXml, UnaSegundaRaizSeRechaza) {
    XmlDocument doc;
    doc.appendChild(doc.createElement("a"));
    EXPECT_THROW(doc.appendChild(doc.createElement("b")), Error);
    EXPECT_EQ(doc.serializar(), "<a/>\n");
}

TEST(GuardarXml, ReemplazaElArchivoSinDejarTemporales) {
    CarpetaTemporal carpeta;
    EscribirArchivo(carpeta / "salida.xml", "contenido anterior mucho más largo que el nuevo");
    XmlDocument doc;
    doc.appendChild(doc.createElement("r"));
    doc.save(carpeta / "salida.xml");
    EXPECT_EQ(LeerArchivo(carpeta / "salida.xml"), "<r/>\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(carpeta.ruta()), {}), 1);
}

TEST(GuardarXml, UnFalloNoDejaNadaYConservaLoQueHabia) {
    CarpetaTemporal carpeta;
    std::filesystem::create_directory(carpeta / "ocupado");
    EscribirArchivo(carpeta / "ocupado" / "dentro.txt", "x");
    XmlDocument doc;
    doc.appendChild(doc.createElement("r"));
    try {
        doc.save(carpeta / "ocupado");
        FAIL() << "se esperaba un error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find((carpeta / "ocupado").string()), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(LeerArchivo(carpeta / "ocupado" / "dentro.txt"), "x");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(carpeta.ruta()), {}), 1);
    EXPECT_THROW(doc.save(carpeta / "no-existe" / "salida.xml"), Error);
    EXPECT_FALSE(std::filesystem::exists(carpeta / "no-existe"));
}

} // namespace
} // namespace belvaro
