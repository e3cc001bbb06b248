// Table text reaches the document intact in whatever encoding the chosen file
// declares: escaped, converted, or as a character reference where it cannot go.

#include "import/TrabajoImportar.h"
#include "seneca/XmlDocument.h"
#include "tests/import/EscenarioImportar.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

using ::testing::ElementsAre;

struct CasoCodificacion {
    std::string nombre;
    std::string codificacion;
    bool utf16; // the file itself written in UTF-16LE with a byte-order mark
};

std::string Utf16(const std::string& ascii) {
    std::string r = "\xFF\xFE";
    for (char c : ascii) {
        r += c;
        r += '\0';
    }
    return r;
}

class CodificacionTest : public ::testing::TestWithParam<CasoCodificacion> {};

TEST_P(CodificacionTest, LosValoresVuelvenIgualesAlLeerLaSalida) {
    const auto& caso = GetParam();
    EscenarioImportar e;
    // Ñ, the euro sign (0x80, not in ISO-8859-1) and XML's special characters.
    e.proft = {{"P1", "E\xD1\x80", "a&b<c>\"d"}};
    e.soluc = {{"P1", "1", "1", "MAT", "ESO1A", "", "A\xE1&"}};
    e.Escribir();
    const std::string xml = "<?xml version=\"1.0\" encoding=\"" + caso.codificacion +
                            "\"?>\n<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"ANNO_ACADEMICO\">"
                            "<dato>2026</dato><dato>x</dato></grupo_datos></BLOQUE_DATOS>"
                            "</SERVICIO>\n";
    const auto archivo = e.Seneca(caso.utf16 ? Utf16(xml) : xml);
    EstadoSesion sesion;
    InterlocutorPrueba interlocutor;
    interlocutor.archivos.push_back(archivo);
    ASSERT_EQ(BImportarClick(sesion, {e.carpeta.ruta(), {}}, interlocutor), FinTrabajo::Terminado);

    // The XML service keeps the declaration of byte-oriented files only; a UTF-16 file
    // comes back as UTF-8 without one, which is that service's own business.
    if (!caso.utf16) {
        EXPECT_EQ(LeerArchivo(e.Salida()).rfind(xml.substr(0, xml.find('\n')), 0), 0u);
    }
    XmlDocument salida;
    salida.load(e.Salida());
    const XmlNodeList datos =
        salida.selectNodes("//grupo_datos[@seq=\"HORARIO_REGULAR_PROFESOR_1\"]/dato");
    ASSERT_EQ(datos.length(), 2);
    EXPECT_EQ(datos.item(0).text(), "E\xC3\x91\xE2\x82\xAC");
    EXPECT_EQ(datos.item(1).text(), "a&b<c>\"d");
    const XmlNode aula = salida.selectSingleNode(
        "//grupo_datos[@seq=\"ACTIVIDAD_1\"]/dato[@nombre_dato=\"X_DEPENDENCIA\"]");
    ASSERT_TRUE(aula);
    EXPECT_EQ(aula.text(), "A\xC3\xA1&");
    const XmlNodeList regulares =
        salida.selectNodes("//grupo_datos[@seq=\"HORARIOS_REGULARES\"]/*");
    EXPECT_EQ(regulares.length(), 1);
}

const std::vector<CasoCodificacion> kCodificaciones = {
    {"Utf8", "UTF-8", false},
    {"Latin1", "ISO-8859-1", false},
    {"Windows1252", "windows-1252", false},
    {"Utf16", "UTF-16", true},
};

INSTANTIATE_TEST_SUITE_P(Codificaciones, CodificacionTest, ::testing::ValuesIn(kCodificaciones),
                         [](const auto& info) { return info.param.nombre; });

} // namespace
} // namespace belvaro::prueba
