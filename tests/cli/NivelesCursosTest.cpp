#include "cli/NivelesCursos.h"
#include "app/Error.h"
#include "seneca/CodePage.h"
#include "tests/support/Apoyo.h"

#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

using cli::LeerNiveles;

TEST(NivelesCursosTest, CabeceraBomFinesDeLineaYEspacios) {
    CarpetaTemporal carpeta;
    EscribirArchivo(carpeta / "n.csv", "\xEF\xBB\xBF"
                                       "clave;Nivel;CURSO\r\n"
                                       " 1001 ; ESO ; 1 \r\n\r\n"
                                       "1002;LS;\n"
                                       "1003;;2\n"
                                       "Año;BCT;1");
    const cli::NivelesPorClave niveles = LeerNiveles(carpeta / "n.csv");
    ASSERT_EQ(niveles.size(), 4u);
    EXPECT_EQ(niveles.at("1001").nivel, "ESO");
    EXPECT_EQ(niveles.at("1001").curso, "1");
    EXPECT_EQ(niveles.at("1002").curso, "");
    EXPECT_EQ(niveles.at("1003").nivel, "");
    EXPECT_EQ(niveles.at(Utf8AAnsi("Año")).nivel, "BCT"); // keys as the table holds them
}

struct CasoMalo {
    std::string nombre;
    std::string contenido;
    std::string linea; // "línea N" in the message
};

void PrintTo(const CasoMalo& caso, std::ostream* os) {
    *os << caso.nombre;
}

class NivelesMalosTest : public ::testing::TestWithParam<CasoMalo> {};

TEST_P(NivelesMalosTest, ErrorConArchivoYLinea) {
    CarpetaTemporal carpeta;
    EscribirArchivo(carpeta / "n.csv", GetParam().contenido);
    try {
        LeerNiveles(carpeta / "n.csv");
        ADD_FAILURE() << "debería rechazarse";
    } catch (const Error& e) {
        const std::string mensaje = e.what();
        EXPECT_NE(mensaje.find((carpeta / "n.csv").string()), std::string::npos) << mensaje;
        EXPECT_NE(mensaje.find(GetParam().linea), std::string::npos) << mensaje;
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, NivelesMalosTest,
                         ::testing::ValuesIn(std::vector<CasoMalo>{
                             {"DosCampos", "1001;ESO;1\n1002;ESO\n", "línea 2"},
                             {"CuatroCampos", "1001;ESO;1;A\n", "línea 1"},
                             {"SinClave", "CLAVE;NIVEL;CURSO\n ;ESO;1\n", "línea 2"},
                             {"ClaveRepetida", "1001;ESO;1\n\n1001;BCT;1\n", "línea 3"},
                             {"NivelLargo", "1001;ESOBCT;1\n", "línea 1"},
                             {"CursoLargo", "1001;ESO;1234\n", "línea 1"},
                             {"CabeceraFueraDeSitio", "1001;ESO;1\nCLAVE;NIVEL;CURSO\n", "línea 2"},
                         }),
                         [](const auto& info) { return info.param.nombre; });

} // namespace
} // namespace belvaro::prueba
