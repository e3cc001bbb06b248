// Names of tables and fields: case does not matter, ten characters count.

#include "ApoyoTablas.h"

#include "app/Error.h"

#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

namespace fs = std::filesystem;

struct Nombre {
    const char* enDisco; // file as it lies in the folder
    const char* pedido;  // name the caller gives
};

std::ostream& operator<<(std::ostream& os, const Nombre& n) {
    return os << n.pedido;
}

class RutaSinMayusculas : public testing::TestWithParam<Nombre> {};

TEST_P(RutaSinMayusculas, EncuentraElArchivo) {
    CarpetaTemporal dir;
    CrearTabla(dir.ruta(), "MOLDE", {{"X", TipoCampo::Texto, 1}});
    fs::rename(dir / "MOLDE.DBF", dir / GetParam().enDisco);
    EXPECT_EQ(RutaTabla(dir.ruta(), GetParam().pedido), dir / GetParam().enDisco);
    EXPECT_TRUE(ExisteTabla(dir.ruta(), GetParam().pedido));
    Tabla t(dir.ruta(), GetParam().pedido);
    EXPECT_EQ(t.Ruta(), dir / GetParam().enDisco);
}

INSTANTIATE_TEST_SUITE_P(Casos, RutaSinMayusculas,
                         testing::Values(Nombre{"CURSOST.DBF", "CursosT"},
                                         Nombre{"soluc.dbf", "SOLUC"},
                                         Nombre{"Soluc.Dbf", "soluc.DBF"},
                                         Nombre{"PERIODOS.DBF", "PERIODOS.DBF"},
                                         Nombre{"NOTAS.TXT", "notas.txt"}));

TEST(Rutas, TablaAusente) {
    CarpetaTemporal dir;
    EXPECT_EQ(RutaTabla(dir.ruta(), "Profesores"), dir / "PROFESORES.DBF");
    EXPECT_FALSE(ExisteTabla(dir.ruta(), "Profesores"));
    try {
        Tabla t(dir.ruta(), "Profesores");
        FAIL();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("PROFESORES"), std::string::npos) << e.what();
    }
    fs::create_directory(dir / "AULAT.DBF");
    EXPECT_FALSE(ExisteTabla(dir.ruta(), "AULAT"));
}

TEST(Rutas, NombreMostradoEnMayusculasSinExtension) {
    CarpetaTemporal dir;
    CrearTabla(dir.ruta(), "soluc", {{"X", TipoCampo::Texto, 1}});
    EXPECT_TRUE(fs::exists(dir / "SOLUC.DBF"));
    EXPECT_EQ(Tabla(dir.ruta(), "Soluc.dbf").Nombre(), "SOLUC");
}

TEST(NombresDeCampo, DiezLetrasCuentanYNoImportanMayusculas) {
    CarpetaTemporal dir;
    CrearTabla(dir.ruta(), "ASIGNOMT2",
               {{"OFERTAMATRI", TipoCampo::Texto, 20}, {"cod", TipoCampo::Texto, 10}});
    const auto b = LeerArchivo(dir / "ASIGNOMT2.DBF");
    EXPECT_EQ(b.substr(32, 11), std::string("OFERTAMATR\0", 11));
    EXPECT_EQ(b.substr(64, 4), std::string("COD\0", 4));

    Tabla t(dir.ruta(), "ASIGNOMT2", Acceso::Exclusivo);
    EXPECT_EQ(t.Campos()[0].nombre, "OFERTAMATR");
    t.Append();
    t.FieldByName("OFERTAMATRI").SetAsString("uno");
    EXPECT_EQ(t.FieldByName("ofertamatr").AsString(), "uno");
    EXPECT_EQ(t.FieldByName("Cod").Info().nombre, "COD");
    EXPECT_TRUE(t.TieneCampo("ofertaMatri"));
    EXPECT_FALSE(t.TieneCampo("OFERTA"));
    try {
        (void)t.FieldByName("MATERIA");
        FAIL();
    } catch (const Error& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("ASIGNOMT2"), std::string::npos) << m;
        EXPECT_NE(m.find("MATERIA"), std::string::npos) << m;
    }
}

} // namespace
} // namespace belvaro::prueba
