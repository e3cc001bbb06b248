// Loading: failures are reported with file, line and reason; hostile input is refused
// or defused; white space between elements is not kept.
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

// The message of the Error that loading the bytes raises ("" when it loads).
std::string ErrorAlCargar(const std::filesystem::path& archivo) {
    XmlDocument doc;
    try {
        doc.load(archivo);
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

struct XmlRoto {
    const char* nombre;
    std::string bytes;
    int linea;
    std::string motivo; // part of the parser's reason
};

class CargaFallida : public testing::TestWithParam<XmlRoto> {};

TEST_P(CargaFallida, NombraArchivoLineaYMotivo) {
    CarpetaTemporal carpeta;
    auto archivo = carpeta / "roto.xml";
    EscribirArchivo(archivo, GetParam().bytes);
    std::string mensaje = ErrorAlCargar(archivo);
    std::string esperado = "El archivo " + archivo.string() + " no es un XML válido (línea " +
                           std::to_string(GetParam().linea) + "): ";
    EXPECT_EQ(mensaje.substr(0, esperado.size()), esperado) << mensaje;
    EXPECT_NE(mensaje.find(GetParam().motivo), std::string::npos) << mensaje;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CargaFallida,
    testing::Values(XmlRoto{"EtiquetaCruzada", "<a>\n<b>\n</a>\n", 3, "mismatch"},
                    XmlRoto{"SinCerrar", "<?xml version=\"1.0\"?>\n<a>\n<b/>\n", 4, "end"},
                    XmlRoto{"Vacio", "", 1, "vacío"},
                    XmlRoto{"TextoPlano", "esto no es XML", 1, "Start tag expected"},
                    XmlRoto{"DosRaices", "<a/>\n<b/>\n", 2, "Extra content"},
                    XmlRoto{"EntidadSinDeclarar", "<a>\n&nada;</a>", 2, "nada"},
                    XmlRoto{"Utf8Invalido",
                            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n\n<a>\xE9</a>", 3,
                            "UTF-8"},
                    XmlRoto{"PrefijoSinDeclarar", "<a>\n<x:b/></a>", 2, "x"}),
    [](const testing::TestParamInfo<XmlRoto>& info) { return std::string(info.param.nombre); });

TEST(CargarXml, ArchivoQueNoExisteOQueNoEsArchivo) {
    CarpetaTemporal carpeta;
    auto falta = carpeta / "falta.xml";
    EXPECT_NE(ErrorAlCargar(falta).find(falta.string()), std::string::npos);
    EXPECT_NE(ErrorAlCargar(carpeta.ruta()).find(carpeta.ruta().string()), std::string::npos);
}

TEST(CargarXml, UnArchivoDemasiadoGrandeNiSeLee) {
    CarpetaTemporal carpeta;
    auto archivo = carpeta / "enorme.xml";
    EscribirArchivo(archivo, "<a/>");
    std::filesystem::resize_file(archivo, XmlDocument::kTamanoMaximo + 1); // sparse
    std::string mensaje = ErrorAlCargar(archivo);
    EXPECT_NE(mensaje.find(archivo.string()), std::string::npos) << mensaje;
    EXPECT_NE(mensaje.find(std::to_string(XmlDocument::kTamanoMaximo)), std::string::npos)
        << mensaje;
}

TEST(CargarXml, UnaCargaFallidaNoTocaElDocumentoAnterior) {
    CarpetaTemporal carpeta;
    EscribirArchivo(carpeta / "bueno.xml", "<bueno/>");
    EscribirArchivo(carpeta / "malo.xml", "<malo>");
    XmlDocument doc;
    doc.load(carpeta / "bueno.xml");
    EXPECT_THROW(doc.load(carpeta / "malo.xml"), Error);
    EXPECT_EQ(doc.documentElement().nombre(), "bueno");
}

TEST(CargarXml, ElEspacioEntreElementosNoSeConserva) {
    CarpetaTemporal carpeta;
    EscribirArchivo(carpeta / "sangrado.xml",
                    "<SERVICIO>\n  <BLOQUE_DATOS>\r\n\t<grupo_datos seq=\"A\">\n"
                    "    <dato>  dos  palabras </dato>\n    <dato>   </dato>\n"
                    "  </grupo_datos>\n  </BLOQUE_DATOS>\n"
                    "  <pre xml:space=\"preserve\">\n  <b> </b>\n</pre>\n</SERVICIO>\n");
    XmlDocument doc;
    doc.load(carpeta / "sangrado.xml");
    XmlNode primero = doc.selectSingleNode("/SERVICIO/BLOQUE_DATOS").firstChild();
    ASSERT_TRUE(primero);
    EXPECT_EQ(primero.nombre(), "grupo_datos");
    EXPECT_EQ(primero.firstChild().nombre(), "dato");
    EXPECT_EQ(primero.text(), "  dos  palabras ");
    EXPECT_EQ(doc.selectSingleNode("/SERVICIO/pre").text(), "\n   \n");
    EXPECT_EQ(doc.serializar(), "<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"A\">"
                                "<dato>  dos  palabras </dato><dato/></grupo_datos>"
                                "</BLOQUE_DATOS><pre xml:space=\"preserve\">\n  <b> </b>\n"
                                "</pre></SERVICIO>\n");
}

// White space is dropped only where it stands alone between other nodes: text split
// by references or char references keeps its blanks, and preserve keeps them all.
struct EspacioCaso {
    const char* entrada;
    const char* guardado;
};

class EspacioSuelto : public testing::TestWithParam<EspacioCaso> {};

TEST_P(EspacioSuelto, SoloSeQuitaElQueVaSolo) {
    CarpetaTemporal carpeta;
    EscribirArchivo(carpeta / "e.xml", GetParam().entrada);
    XmlDocument doc;
    doc.load(carpeta / "e.xml");
    EXPECT_EQ(doc.serializar(), GetParam().guardado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EspacioSuelto,
    testing::Values(EspacioCaso{"<r>x&amp;  </r>", "<r>x&amp;  </r>"},
                    EspacioCaso{"<r>  &amp;x</r>", "<r>  &amp;x</r>"},
                    EspacioCaso{"<r>a  <b/>  c</r>", "<r>a  <b/>  c</r>"},
                    EspacioCaso{"<r>&#32;&#10;</r>", "<r/>"},
                    EspacioCaso{"<r> <a/> <!--c--> <?p q?> <![CDATA[ ]]> </r>",
                                "<r><a/><!--c--><?p q?><![CDATA[ ]]></r>"},
                    EspacioCaso{"<r xml:space=\"preserve\"> <a> </a> <!--c--></r>",
                                "<r xml:space=\"preserve\"> <a> </a> <!--c--></r>"},
                    EspacioCaso{"<r xml:space=\"preserve\"><a xml:space=\"default\"> <b/> </a></r>",
                                "<r xml:space=\"preserve\"><a xml:space=\"default\"><b/></a></r>"}));

// Short texts of a loaded document are stored inside their nodes: they can still be
// changed, merged with new text and dropped.
TEST(CargarXml, LosTextosCortosCargadosSePuedenCambiar) {
    CarpetaTemporal carpeta;
    EscribirArchivo(carpeta / "c.xml", "<r><a>12</a><b>x</b><c>7</c></r>");
    XmlDocument doc;
    doc.load(carpeta / "c.xml");
    XmlNode raiz = doc.documentElement();
    raiz.selectSingleNode("a").setText("un texto bastante más largo que el anterior");
    XmlNode b = raiz.selectSingleNode("b");
    b.firstChild().setText("yy");
    b.appendChild(doc.createElement("d"));
    raiz.removeChild(raiz.selectSingleNode("c"));
    EXPECT_EQ(doc.serializar(),
              "<r><a>un texto bastante más largo que el anterior</a><b>yy<d/></b></r>");
    doc.load(carpeta / "c.xml");
    EXPECT_EQ(doc.documentElement().text(), "12x7");
}

// An external entity, parameter entity or DTD naming a local file: the file is never
// read, whether the document is refused or loaded with the reference left empty.
class EntidadExterna : public testing::TestWithParam<std::string> {};

TEST_P(EntidadExterna, NoLeeElArchivoSecreto) {
    const std::string secreto = "CONTENIDO-SECRETO-7731";
    CarpetaTemporal carpeta;
    EscribirArchivo(carpeta / "secreto.txt", secreto);
    EscribirArchivo(carpeta / "secreto.dtd",
                    "<!ENTITY fuga \"" + secreto + "\"><!ENTITY % dentro \"" + secreto + "\">");
    std::string xml = GetParam();
    for (auto pos = xml.find("RUTA"); pos != std::string::npos; pos = xml.find("RUTA")) {
        xml.replace(pos, 4, carpeta.ruta().string());
    }
    EscribirArchivo(carpeta / "ataque.xml", xml);
    XmlDocument doc;
    try {
        doc.load(carpeta / "ataque.xml");
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).find(secreto), std::string::npos) << e.what();
        return;
    }
    EXPECT_EQ(doc.serializar().find(secreto), std::string::npos) << doc.serializar();
    XmlNodeList todos = doc.selectNodes("//node() | //@*");
    for (int i = 0; i < todos.length(); ++i) {
        EXPECT_EQ(todos.item(i).text().find(secreto), std::string::npos);
    }
    EXPECT_EQ(doc.documentElement().text().find(secreto), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EntidadExterna,
    testing::Values("<!DOCTYPE r [<!ENTITY x SYSTEM \"file://RUTA/secreto.txt\">]><r>&x;</r>",
                    "<!DOCTYPE r [<!ENTITY x SYSTEM \"RUTA/secreto.txt\">]><r a=\"1\">[&x;]</r>",
                    "<!DOCTYPE r [<!ENTITY % p SYSTEM \"RUTA/secreto.dtd\"> %p;]><r>&fuga;</r>",
                    "<!DOCTYPE r SYSTEM \"RUTA/secreto.dtd\"><r>&fuga;</r>",
                    "<!DOCTYPE r SYSTEM \"RUTA/secreto.dtd\"><r/>",
                    "<r xmlns:xi=\"http://www.w3.org/2001/XInclude\">"
                    "<xi:include href=\"RUTA/secreto.txt\" parse=\"text\"/></r>"));

// "Billion laughs": ten levels of ten references each.
std::string BombaAnidada() {
    std::string xml = "<?xml version=\"1.0\"?>\n<!DOCTYPE b [\n<!ENTITY l0 \"jajajajaja\">\n";
    for (int i = 1; i <= 10; ++i) {
        std::string diez;
        for (int j = 0; j < 10; ++j) {
            diez += "&l" + std::to_string(i - 1) + ";";
        }
        xml += "<!ENTITY l" + std::to_string(i) + " \"" + diez + "\">\n";
    }
    return xml + "]>\n<b>&l10;</b>\n";
}

// One large entity referenced many times: no nesting, a gigabyte of text.
std::string BombaAncha() {
    std::string xml = "<!DOCTYPE b [<!ENTITY a \"" + std::string(20000, 'x') + "\">]>\n<b>\n";
    for (int i = 0; i < 50000; ++i) {
        xml += "&a;";
    }
    return xml + "</b>";
}

// The same through an attribute value.
std::string BombaEnAtributo() {
    std::string xml = "<!DOCTYPE b [<!ENTITY a \"" + std::string(20000, 'x') + "\">]>\n<b v=\"";
    for (int i = 0; i < 50000; ++i) {
        xml += "&a;";
    }
    return xml + "\"/>";
}

class BombaDeEntidades : public testing::TestWithParam<std::string (*)()> {};

TEST_P(BombaDeEntidades, SeRechazaAlCargar) {
    CarpetaTemporal carpeta;
    EscribirArchivo(carpeta / "bomba.xml", GetParam()());
    std::string mensaje = ErrorAlCargar(carpeta / "bomba.xml");
    EXPECT_NE(mensaje.find("bomba.xml no es un XML válido"), std::string::npos) << mensaje;
}

INSTANTIATE_TEST_SUITE_P(Casos, BombaDeEntidades,
                         testing::Values(&BombaAnidada, &BombaAncha, &BombaEnAtributo));

TEST(CargarXml, EntidadInternaPequenaSeLeeExpandida) {
    CarpetaTemporal carpeta;
    EscribirArchivo(carpeta / "e.xml", "<!DOCTYPE r [<!ENTITY c \"Centro\">]><r>&c; 1</r>");
    XmlDocument doc;
    doc.load(carpeta / "e.xml");
    EXPECT_EQ(doc.documentElement().text(), "Centro 1");
}

TEST(CargarXml, AnidamientoAbsurdoSeRechaza) {
    std::string xml;
    for (int i = 0; i < 100000; ++i) {
        xml += "<a>";
    }
    CarpetaTemporal carpeta;
    EscribirArchivo(carpeta / "hondo.xml", xml);
    std::string mensaje = ErrorAlCargar(carpeta / "hondo.xml");
    EXPECT_NE(mensaje.find("hondo.xml"), std::string::npos) << mensaje;
    EXPECT_NE(mensaje.find("depth"), std::string::npos) << mensaje;
}

} // namespace
} // namespace belvaro
