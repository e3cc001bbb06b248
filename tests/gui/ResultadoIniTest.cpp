#include "app/ResultadoIni.h"

#include "app/Error.h"
#include "tests/support/Apoyo.h"

#include <gtest/gtest.h>

#include <optional>

namespace belvaro {
namespace {

namespace fs = std::filesystem;

struct CasoIni {
    const char* nombre;
    std::optional<std::string> antes; // no file when empty
    int valor;
    std::string despues;
};

void PrintTo(const CasoIni& caso, std::ostream* salida) {
    *salida << caso.nombre;
}

class ResultadoIniTest : public testing::TestWithParam<CasoIni> {};

TEST_P(ResultadoIniTest, SoloCambiaLaLineaDelResultado) {
    const CasoIni& caso = GetParam();
    prueba::CarpetaTemporal carpeta;
    const fs::path ini = carpeta / kArchivoResultado;
    if (caso.antes)
        prueba::EscribirArchivo(ini, *caso.antes);

    EscribirTransformado(ini, caso.valor);

    EXPECT_EQ(prueba::LeerArchivo(ini), caso.despues);
    // Nothing is left behind from the temporary file.
    EXPECT_EQ(std::distance(fs::directory_iterator(carpeta.ruta()), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ResultadoIniTest,
    testing::Values(
        CasoIni{"ArchivoNuevo", std::nullopt, 1, "[Transformadores]\r\nTransformado=1\r\n"},
        CasoIni{"ArchivoVacio", std::string(), -1, "[Transformadores]\r\nTransformado=-1\r\n"},
        CasoIni{"OtrasSeccionesYComentarios",
                std::string("; ajustes de Zeltora\n[General]\nRuta=C:\\ZTEMP\n\n"
                            "[Transformadores]\n; resultado\nOtro = x\n\n[Final]\nA=1\n"),
                0,
                "; ajustes de Zeltora\n[General]\nRuta=C:\\ZTEMP\n\n"
                "[Transformadores]\n; resultado\nOtro = x\nTransformado=0\n\n[Final]\nA=1\n"},
        CasoIni{"CrlfConClaveExistente",
                std::string("[A]\r\nk=v\r\n[transformadores]\r\n  TRANSFORMADO = 0 \r\nZ=9\r\n"), 1,
                "[A]\r\nk=v\r\n[transformadores]\r\nTransformado=1\r\nZ=9\r\n"},
        CasoIni{"ClaveEnOtraSeccionNoCuenta",
                std::string("[Otra]\nTransformado=5\n[Transformadores]\nX=1"), 1,
                "[Otra]\nTransformado=5\n[Transformadores]\nX=1\nTransformado=1\n"},
        CasoIni{"SinSeccionNiSaltoFinal", std::string("[General]\r\nA=1"), 1,
                "[General]\r\nA=1\r\n[Transformadores]\r\nTransformado=1\r\n"},
        CasoIni{"SoloLaPrimeraSeccionYClave",
                std::string("[Transformadores]\nTransformado=0\nTransformado=7\n"
                            "[Transformadores]\nTransformado=8\n"),
                1,
                "[Transformadores]\nTransformado=1\nTransformado=7\n"
                "[Transformadores]\nTransformado=8\n"},
        CasoIni{"ComentarioConLaClave", std::string("[Transformadores]\n;Transformado=3\n"), 1,
                "[Transformadores]\n;Transformado=3\nTransformado=1\n"},
        CasoIni{"BomAlPrincipio",
                std::string("\xEF\xBB\xBF[Transformadores]\r\nTransformado=0\r\n"), 1,
                "\xEF\xBB\xBF[Transformadores]\r\nTransformado=1\r\n"}),
    [](const testing::TestParamInfo<CasoIni>& info) { return std::string(info.param.nombre); });

struct CasoFallo {
    const char* nombre;
    void (*preparar)(const fs::path& carpeta);
    fs::path (*ruta)(const fs::path& carpeta);
};

void PrintTo(const CasoFallo& caso, std::ostream* salida) {
    *salida << caso.nombre;
}

class ResultadoIniFalloTest : public testing::TestWithParam<CasoFallo> {};

// A result file that cannot be written is an error naming the file, and the
// host's file keeps its bytes.
TEST_P(ResultadoIniFalloTest, ErrorQueNombraElArchivo) {
    prueba::CarpetaTemporal carpeta;
    GetParam().preparar(carpeta.ruta());
    const fs::path ini = GetParam().ruta(carpeta.ruta());
    try {
        EscribirTransformado(ini, 1);
        FAIL() << "se esperaba un error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(ini.string()), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ResultadoIniFalloTest,
    testing::Values(CasoFallo{"CarpetaInexistente", [](const fs::path&) {},
                              [](const fs::path& c) { return c / "no-existe" / "Zeltora.ini"; }},
                    CasoFallo{"EsUnaCarpeta",
                              [](const fs::path& c) { fs::create_directory(c / "Zeltora.ini"); },
                              [](const fs::path& c) { return c / "Zeltora.ini"; }},
                    CasoFallo{"SoloLectura",
                              [](const fs::path& c) {
                                  prueba::EscribirArchivo(c / "Zeltora.ini", "[A]\n");
                                  fs::permissions(c / "Zeltora.ini", fs::perms::owner_read);
                              },
                              [](const fs::path& c) { return c / "Zeltora.ini"; }}),
    [](const testing::TestParamInfo<CasoFallo>& info) { return std::string(info.param.nombre); });

TEST(ResultadoIniFalloTest, ArchivoDeSoloLecturaQuedaIntacto) {
    prueba::CarpetaTemporal carpeta;
    const fs::path ini = carpeta / "Zeltora.ini";
    prueba::EscribirArchivo(ini, "[Transformadores]\nTransformado=0\n");
    fs::permissions(ini, fs::perms::owner_read);
    EXPECT_THROW(EscribirTransformado(ini, 1), Error);
    EXPECT_EQ(prueba::LeerArchivo(ini), "[Transformadores]\nTransformado=0\n");
}

} // namespace
} // namespace belvaro
