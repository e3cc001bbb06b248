// Records: appending, changing, cancelling, visiting in stored order, deleted
// records, and the header kept true on disk.

#include "ApoyoTablas.h"

#include "app/Error.h"

#include <ctime>
#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

const std::vector<DefCampo> kCampos{{"CLAVE", TipoCampo::Texto, 10}, {"NUM", TipoCampo::Entero, 0}};

void Anadir(Tabla& t, const std::string& clave, long long num) {
    t.Append();
    t.FieldByName("CLAVE").SetAsString(clave);
    t.FieldByName("NUM").SetAsInteger(num);
}

std::vector<std::string> Claves(Tabla& t) {
    std::vector<std::string> claves;
    for (t.First(); !t.Eof(); t.Next())
        claves.push_back(t.FieldByName("CLAVE").AsString());
    return claves;
}

class Registros : public testing::Test {
protected:
    void SetUp() override { CrearTabla(dir.ruta(), "T", kCampos); }
    CarpetaTemporal dir;
};

TEST_F(Registros, AppendEditCancelYCloseQuedanEnElArchivo) {
    {
        Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
        EXPECT_TRUE(t.Eof());
        Anadir(t, "A", 1);
        Anadir(t, "B", 2); // posts A
        EXPECT_EQ(t.RecordCount(), 1);
        t.Post();
        Anadir(t, "X", 9);
        t.Cancel();
        EXPECT_EQ(t.RecordCount(), 2);
        t.First();
        t.Edit();
        t.FieldByName("CLAVE").SetAsString("A2");
        t.Cancel();
        EXPECT_EQ(t.FieldByName("CLAVE").AsString(), "A");
        t.Edit();
        t.FieldByName("NUM").SetAsInteger(10);
        t.Next(); // posts the change
        EXPECT_FALSE(t.Editando());
        Anadir(t, "C", 3); // left pending: Close posts it
        t.Close();
        EXPECT_FALSE(t.Abierta());
    }
    Tabla t(dir.ruta(), "T");
    EXPECT_EQ(Claves(t), (std::vector<std::string>{"A", "B", "C"}));
    t.First();
    EXPECT_EQ(t.FieldByName("NUM").AsInteger(), 10);
}

TEST_F(Registros, ElDestructorGuardaLoPublicadoYDescartaLoPendiente) {
    {
        Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
        Anadir(t, "A", 1);
        t.Post();
        Anadir(t, "PENDIENTE", 2);
    }
    Tabla t(dir.ruta(), "T", Acceso::Exclusivo); // the lock went with the object
    EXPECT_EQ(Claves(t), std::vector<std::string>{"A"});
}

TEST_F(Registros, CambiarCampoSinAppendNiEditEsError) {
    Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
    Anadir(t, "A", 1);
    t.Post();
    EXPECT_THROW(t.FieldByName("CLAVE").SetAsString("B"), Error);
    EXPECT_EQ(t.FieldByName("CLAVE").AsString(), "A");
}

TEST_F(Registros, NextAlFinalSeQuedaEnElUltimoRegistro) {
    Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
    Anadir(t, "A", 1);
    Anadir(t, "B", 2);
    t.First();
    t.Next();
    t.Next();
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.FieldByName("CLAVE").AsString(), "B");
    EXPECT_EQ(t.RecNo(), 2);
}

TEST_F(Registros, UnaTablaCerradaEsError) {
    Tabla t(dir.ruta(), "T");
    t.Close();
    t.Close();
    try {
        t.First();
        FAIL();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("T"), std::string::npos);
    }
    EXPECT_THROW((void)t.FieldByName("CLAVE"), Error);
}

TEST_F(Registros, LaCabeceraDiceLaVerdadTrasCadaEscritura) {
    std::time_t ahora = std::time(nullptr);
    std::tm hoy{};
    localtime_r(&ahora, &hoy);
    auto comprobar = [&](std::uint32_t registros) {
        const auto b = LeerArchivo(dir / "T.DBF");
        const unsigned cabecera = 32 + 2 * 32 + 1;
        const unsigned registro = 1 + 10 + 11;
        EXPECT_EQ(static_cast<unsigned char>(b[0]), 0x03);
        EXPECT_EQ(static_cast<unsigned char>(b[1]), hoy.tm_year);
        EXPECT_EQ(static_cast<unsigned char>(b[2]), hoy.tm_mon + 1);
        EXPECT_EQ(static_cast<unsigned char>(b[3]), hoy.tm_mday);
        EXPECT_EQ(Leer32(b, 4), registros);
        EXPECT_EQ(Leer16(b, 8), cabecera);
        EXPECT_EQ(Leer16(b, 10), registro);
        EXPECT_EQ(static_cast<unsigned char>(b[29]), 0x03); // Windows-1252
        EXPECT_EQ(b[cabecera - 1], '\x0D');
        EXPECT_EQ(b.size(), cabecera + registros * registro + 1);
        EXPECT_EQ(b.back(), '\x1A');
    };
    comprobar(0);
    {
        Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
        for (int i = 0; i < 3; ++i)
            Anadir(t, "K" + std::to_string(i), i);
        t.Close();
    }
    comprobar(3);
    {
        Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
        t.Locate("CLAVE", {"K1"});
        t.Edit();
        t.FieldByName("CLAVE").SetAsString("Z");
        t.Close();
    }
    comprobar(3);
    {
        Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
        Anadir(t, "K3", 3);
        t.Post(); // no Close: the destructor writes what was posted
    }
    comprobar(4);
    Tabla t(dir.ruta(), "T");
    EXPECT_EQ(Claves(t), (std::vector<std::string>{"K0", "Z", "K2", "K3"}));
}

// Large enough that appends reach the file in several batches before Close.
TEST_F(Registros, MuchasFilasEnVariasTandas) {
    const int n = 120000;
    {
        Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
        for (int i = 0; i < n; ++i)
            Anadir(t, "K" + std::to_string(i), i);
        t.First();
        t.Edit();
        t.FieldByName("NUM").SetAsInteger(-1);
        t.Close();
    }
    Tabla t(dir.ruta(), "T");
    EXPECT_EQ(t.RecordCount(), n);
    EXPECT_EQ(t.FieldByName("NUM").AsInteger(), -1);
    ASSERT_TRUE(t.Locate("CLAVE", {"K" + std::to_string(n - 1)}));
    EXPECT_EQ(t.FieldByName("NUM").AsInteger(), n - 1);
    EXPECT_EQ(Leer32(LeerArchivo(dir / "T.DBF"), 4), static_cast<std::uint32_t>(n));
}

TEST(RegistrosAjenos, LosBorradosNoSeVenYSeAnadeTrasEllos) {
    CarpetaTemporal dir;
    EscribirArchivo(dir / "T.DBF", DbfCrudo({{"CLAVE", 'C', 3}}, {"uno", "dos", "tre", "cua"},
                                            {false, true, false, true}, /*marcaFin=*/false));
    {
        Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
        EXPECT_EQ(t.RecordCount(), 2);
        std::vector<std::string> vistas;
        std::vector<int> recnos;
        for (t.First(); !t.Eof(); t.Next()) {
            vistas.push_back(t.FieldByName("CLAVE").AsString());
            recnos.push_back(t.RecNo());
        }
        EXPECT_EQ(vistas, (std::vector<std::string>{"uno", "tre"}));
        EXPECT_EQ(recnos, (std::vector<int>{1, 3}));
        EXPECT_FALSE(t.Locate("CLAVE", {"dos"}));
        t.Append();
        t.FieldByName("CLAVE").SetAsString("cin");
        t.Close();
    }
    const auto b = LeerArchivo(dir / "T.DBF");
    EXPECT_EQ(Leer32(b, 4), 5u);
    EXPECT_EQ(b.substr(32 + 32 + 1 + 3 * 4), "*cua cin\x1A");
    Tabla t(dir.ruta(), "T");
    EXPECT_EQ(t.RecordCount(), 3);
}

TEST_F(Registros, FiltroVisitaSoloLoAceptadoYRecordCountNoCambia) {
    Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
    for (int i = 1; i <= 6; ++i)
        Anadir(t, i % 2 ? "IMPAR" : "PAR", i);
    t.Post();
    t.SetFilter([](Tabla& x) { return x.FieldByName("CLAVE").AsString() == "PAR"; });
    EXPECT_EQ(t.FieldByName("NUM").AsInteger(), 2); // placed on the first accepted
    std::vector<long long> vistos;
    for (t.First(); !t.Eof(); t.Next())
        vistos.push_back(t.FieldByName("NUM").AsInteger());
    EXPECT_EQ(vistos, (std::vector<long long>{2, 4, 6}));
    EXPECT_EQ(t.RecordCount(), 6);
    EXPECT_TRUE(t.Locate("NUM", {"4"}));
    EXPECT_FALSE(t.Locate("NUM", {"3"}));
    EXPECT_EQ(t.FieldByName("NUM").AsInteger(), 4);

    t.SetFilter([](Tabla&) { return false; });
    EXPECT_TRUE(t.Eof());
    t.ClearFilter();
    t.First();
    EXPECT_EQ(t.FieldByName("NUM").AsInteger(), 1);
}

} // namespace
} // namespace belvaro::prueba
