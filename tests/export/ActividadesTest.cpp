#include "tests/export/PasoExportar.h"

#include "app/Error.h"

#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

const std::vector<DefCampo> kCamposCatalogoActividades = {
    {"NOMBRE", TipoCampo::Texto, 80},
    {"COD", TipoCampo::Texto, 10},
    {"CODLARGO", TipoCampo::Texto, 10},
};

// Subjects first, then the activities after them in the same table.
TEST(CrearActividades, FilasDeTareaTrasLasMaterias) {
    PasoExportar paso;
    paso.EscribirTabla("SENEMATERIAS", kCamposCatalogoActividades, {});
    auto& trabajo =
        paso.Trabajo(DocumentoSeneca()
                         .Lista("MATERIAS", {{"C1", "M1", "Matemáticas"}})
                         .Lista("ACTIVIDADES", {{"x", "ACT123456789", "Guardia de recreo"},
                                                {"sin resto"},
                                                {"x", " A2 ", " Tutoría "},
                                                {"x", " A2 ", " Tutoría "}}));
    trabajo.CrearMaterias();
    trabajo.CrearActividades();

    const Filas filas = paso.Leer("ASIGNOMT", {"COD", "CODLARGO", "NOMBRE", "CODTAREA", "ESTAREA"});
    const Filas esperadas = {
        {"Matem\xE1", "Matem\xE1", "Matem\xE1ticas", "", "F"},
        {"ACT1234567", "Guardia de", "Guardia de recreo", "ACT1234567", "T"},
        {"A2",
         "Tutor\xED"
         "a",
         "Tutor\xED"
         "a",
         "A2", "T"},
        {"A2",
         "Tutor\xED"
         "a",
         "Tutor\xED"
         "a",
         "A2", "T"},
    };
    EXPECT_EQ(filas, esperadas);
    EXPECT_EQ(paso.Leer("ASIGNOMT2", {"COD"}).size(), 1u);

    const std::vector<std::pair<std::string, int>> cuentas = {{"ASIGNOMT", 4}, {"ASIGNOMT2", 1}};
    EXPECT_EQ(trabajo.informe.filasPorTabla, cuentas);
    EXPECT_EQ(trabajo.informe.lectura.bloques["ACTIVIDADES"].saltados, std::set<int>{1});
}

TEST(CrearActividades, VaciaLasListasDeCodigos) {
    PasoExportar paso;
    paso.EscribirTabla("SENEMATERIAS", kCamposCatalogoActividades, {});
    auto& trabajo = paso.Trabajo(DocumentoSeneca().Lista("MATERIAS", {{"C1", "M1", "Latín"}}));
    trabajo.CrearMaterias();
    ASSERT_FALSE(trabajo.CodigosUsados.empty());
    trabajo.CrearActividades();

    EXPECT_TRUE(trabajo.CodigosUsados.empty());
    EXPECT_TRUE(trabajo.CodigosLargos.empty());
    EXPECT_TRUE(trabajo.NombresMaterias.empty());
    EXPECT_TRUE(trabajo.CodLargoNombre.empty());
    EXPECT_EQ(paso.Leer("ASIGNOMT", {"COD"}), (Filas{{"Lat\xEDn"}}));
}

TEST(CrearActividades, SinTablaDeMateriasEsUnErrorQueLaNombra) {
    PasoExportar paso;
    auto& trabajo = paso.Trabajo(DocumentoSeneca().Lista("ACTIVIDADES", {{"x", "A1", "Guardia"}}));
    try {
        trabajo.CrearActividades();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("ASIGNOMT"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace belvaro::prueba
