// XPath selection and the node operations the jobs rely on.
#include "app/Error.h"
#include "seneca/XmlDocument.h"
#include "tests/support/Apoyo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace belvaro {
namespace {

using prueba::CarpetaTemporal;

class Seleccion : public testing::Test {
protected:
    void SetUp() override {
        prueba::EscribirArchivo(carpeta / "d.xml",
                                "<SERVICIO><BLOQUE_DATOS>"
                                "<grupo_datos seq=\"A\"><grupo_datos><dato>a1</dato><x/>"
                                "<dato>a2</dato></grupo_datos></grupo_datos>"
                                "<grupo_datos seq=\"B\"><grupo_datos><dato>b1</dato>"
                                "<grupo_datos><dato>anidado</dato></grupo_datos>"
                                "</grupo_datos><grupo_datos><dato>b2</dato></grupo_datos>"
                                "</grupo_datos></BLOQUE_DATOS></SERVICIO>");
        doc.load(carpeta / "d.xml");
    }

    static std::vector<std::string> Textos(const XmlNodeList& lista) {
        std::vector<std::string> textos;
        for (int i = 0; i < lista.length(); ++i) {
            textos.push_back(lista.item(i).text());
        }
        return textos;
    }

    CarpetaTemporal carpeta;
    XmlDocument doc;
};

struct Caso {
    const char* expresion;
    std::vector<std::string> textos;
};

class SeleccionCasos : public Seleccion, public testing::WithParamInterface<Caso> {};

TEST_P(SeleccionCasos, EnOrdenDeDocumento) {
    EXPECT_EQ(Textos(doc.selectNodes(GetParam().expresion)), GetParam().textos);
}

INSTANTIATE_TEST_SUITE_P(
    Expresiones, SeleccionCasos,
    testing::Values(Caso{"/SERVICIO/BLOQUE_DATOS/grupo_datos", {"a1a2", "b1anidadob2"}},
                    Caso{"/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq=\"B\"]/grupo_datos",
                         {"b1anidado", "b2"}},
                    Caso{"/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq=\"b\"]/grupo_datos", {}},
                    Caso{"//dato", {"a1", "a2", "b1", "anidado", "b2"}},
                    Caso{"//grupo_datos[@seq]/@seq", {"A", "B"}},
                    Caso{"SERVICIO", {"a1a2b1anidadob2"}}, Caso{"dato", {}}));

TEST_F(Seleccion, DatoRelativoSoloHijosDirectos) {
    XmlNode registro = doc.selectSingleNode("//grupo_datos[@seq='B']/grupo_datos");
    EXPECT_EQ(Textos(registro.selectNodes("dato")), std::vector<std::string>{"b1"});
    EXPECT_EQ(Textos(registro.selectNodes("grupo_datos/dato")),
              std::vector<std::string>{"anidado"});
    XmlNode primero = doc.selectSingleNode("//grupo_datos[@seq='A']/grupo_datos");
    XmlNodeList datos = primero.selectNodes("dato");
    EXPECT_EQ(Textos(datos), (std::vector<std::string>{"a1", "a2"}));
    // The fast path and the XPath engine agree.
    EXPECT_EQ(Textos(primero.selectNodes("./dato")), Textos(datos));
    EXPECT_EQ(primero.selectSingleNode("dato").text(), "a1");
    EXPECT_FALSE(primero.selectSingleNode("nada"));
    EXPECT_FALSE(datos.item(2));
    EXPECT_FALSE(datos.item(-1));
}

TEST_F(Seleccion, ExpresionesQueNoSeleccionanNodosSonError) {
    for (const char* mala : {"/SERVICIO[", "count(//dato)", "//dato/@", ""}) {
        EXPECT_THROW(doc.selectNodes(mala), Error) << mala;
    }
    try {
        doc.selectNodes("/SERVICIO[");
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("/SERVICIO["), std::string::npos) << e.what();
    }
}

TEST_F(Seleccion, NodoInexistenteEsErrorNoFallo) {
    XmlNode nada = doc.selectSingleNode("/NO");
    EXPECT_FALSE(nada);
    EXPECT_THROW(nada.text(), Error);
    EXPECT_THROW(nada.selectNodes("dato"), Error);
    EXPECT_THROW(nada.setText("x"), Error);
    EXPECT_THROW(doc.documentElement().removeChild(nada), Error);
}

TEST_F(Seleccion, QuitarSoloHijosPropiosYVolverAPoner) {
    XmlNode bloqueDatos = doc.selectSingleNode("/SERVICIO/BLOQUE_DATOS");
    XmlNode a = doc.selectSingleNode("//grupo_datos[@seq='A']");
    EXPECT_THROW(doc.documentElement().removeChild(a), Error); // a grandchild
    bloqueDatos.removeChild(a);
    EXPECT_EQ(doc.selectNodes("/SERVICIO/BLOQUE_DATOS/grupo_datos").length(), 1);
    EXPECT_EQ(a.text(), "a1a2"); // still readable
    bloqueDatos.appendChild(a);
    EXPECT_EQ(doc.selectNodes("/SERVICIO/BLOQUE_DATOS/grupo_datos").item(1).getAttribute("seq"),
              "A");
    EXPECT_THROW(a.appendChild(bloqueDatos), Error); // into its own descendant
}

TEST_F(Seleccion, EscribirTextoReemplazaElContenido) {
    XmlNode registro = doc.selectSingleNode("//grupo_datos[@seq='B']/grupo_datos");
    XmlNode anidado = registro.selectSingleNode("grupo_datos");
    registro.setText("<&> nuevo");
    EXPECT_EQ(registro.text(), "<&> nuevo");
    EXPECT_FALSE(registro.firstChild().selectSingleNode("dato"));
    EXPECT_EQ(anidado.text(), "anidado"); // taken out, not freed
}

TEST(XmlDocumentNuevo, CrearNodos) {
    XmlDocument doc;
    EXPECT_FALSE(doc.documentElement());
    EXPECT_THROW(doc.createElement("no valido"), Error);
    EXPECT_THROW(doc.createNode(3, "texto", ""), Error);
    XmlNode conEspacio = doc.createNode(1, "h:SERVICIO", "urn:horarios");
    doc.appendChild(conEspacio);
    // Created but never appended: freed with the document.
    doc.createElement("suelto").setAttribute("a", "b");
    EXPECT_EQ(doc.serializar(), "<h:SERVICIO xmlns:h=\"urn:horarios\"/>\n");
    EXPECT_FALSE(doc.selectSingleNode("SERVICIO"));
}

} // namespace
} // namespace belvaro
