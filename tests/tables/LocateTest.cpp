// Locate: the first match in stored order, exact and case-sensitive, trailing blanks
// not counting; on one field or several; kept right while records change.

#include "ApoyoTablas.h"

#include "app/Error.h"

#include <array>
#include <gtest/gtest.h>
#include <optional>

namespace belvaro::prueba {
namespace {

class Locate : public testing::Test {
protected:
    void SetUp() override {
        CrearTabla(dir.ruta(), "ASIGNOMT2",
                   {{"COD", TipoCampo::Texto, 10},
                    {"OFERTAMATRI", TipoCampo::Texto, 20},
                    {"MATERIA", TipoCampo::Texto, 20}});
        t.emplace(dir.ruta(), "ASIGNOMT2", Acceso::Exclusivo);
        for (const auto& [cod, oferta, materia] :
             std::vector<std::array<const char*, 3>>{{"MAT", "101", "m1"},
                                                     {"LEN", "101", "l1"},
                                                     {"MAT", "202", "m2"},
                                                     {"MAT", "101", "m1-bis"},
                                                     {"Educaci\xF3n", "303", "e1"},
                                                     {" SANGRIA", "303", "s1"}})
            Anadir(cod, oferta, materia);
        t->Post();
    }
    void Anadir(const std::string& cod, const std::string& oferta, const std::string& materia) {
        t->Append();
        t->FieldByName("COD").SetAsString(cod);
        t->FieldByName("OFERTAMATRI").SetAsString(oferta);
        t->FieldByName("MATERIA").SetAsString(materia);
    }
    std::string Materia() { return t->FieldByName("MATERIA").AsString(); }

    CarpetaTemporal dir;
    std::optional<Tabla> t;
};

struct Busqueda {
    const char* caso;
    const char* campos;
    std::vector<std::string> valores;
    const char* materia; // nullptr: not found
};

std::ostream& operator<<(std::ostream& os, const Busqueda& b) {
    return os << b.caso;
}

class LocateCasos : public Locate, public testing::WithParamInterface<Busqueda> {};

TEST_P(LocateCasos, EncuentraLaPrimeraEnOrdenGuardado) {
    const auto& b = GetParam();
    t->First();
    t->Next(); // a known place, kept when nothing is found
    EXPECT_EQ(t->Locate(b.campos, b.valores), b.materia != nullptr);
    EXPECT_EQ(Materia(), b.materia ? b.materia : "l1");
}

INSTANTIATE_TEST_SUITE_P(
    Casos, LocateCasos,
    testing::Values(Busqueda{"un_campo", "COD", {"MAT"}, "m1"},
                    Busqueda{"dos_campos", "COD;OFERTAMATRI", {"MAT", "202"}, "m2"},
                    Busqueda{"nombre_cortado", "COD;OFERTAMATR", {"MAT", "101"}, "m1"},
                    Busqueda{"minusculas_en_nombres", "cod;ofertaMatri", {"LEN", "101"}, "l1"},
                    Busqueda{"blancos_finales_buscados", "COD", {"Educaci\xF3n   "}, "e1"},
                    Busqueda{"blancos_iniciales_cuentan", "COD", {"SANGRIA"}, nullptr},
                    Busqueda{"con_sus_blancos_iniciales", "COD", {" SANGRIA"}, "s1"},
                    Busqueda{"mayusculas_cuentan", "COD", {"mat"}, nullptr},
                    Busqueda{"valor_entero", "COD", {"MA"}, nullptr},
                    Busqueda{"combinacion_ausente", "COD;OFERTAMATRI", {"LEN", "202"}, nullptr},
                    Busqueda{"vacio", "COD", {""}, nullptr}),
    [](const auto& info) { return std::string(info.param.caso); });

TEST_F(Locate, SigueAcertandoTrasAppendYEdit) {
    ASSERT_TRUE(t->Locate("COD;OFERTAMATRI", {"MAT", "101"}));
    // The first match moves away: the next in stored order wins.
    t->Edit();
    t->FieldByName("COD").SetAsString("OTRA");
    t->Post();
    ASSERT_TRUE(t->Locate("COD;OFERTAMATRI", {"MAT", "101"}));
    EXPECT_EQ(Materia(), "m1-bis");
    // A record before the current first match is changed to match: it wins now.
    ASSERT_TRUE(t->Locate("COD", {"LEN"}));
    t->Edit();
    t->FieldByName("COD").SetAsString("MAT");
    t->Post();
    ASSERT_TRUE(t->Locate("COD;OFERTAMATRI", {"MAT", "101"}));
    EXPECT_EQ(Materia(), "l1");
    // A new record matches, but the older ones still come first.
    Anadir("NUEVA", "9", "n1");
    t->Post();
    EXPECT_TRUE(t->Locate("COD", {"NUEVA"}));
    Anadir("MAT", "101", "ultima");
    t->Post();
    ASSERT_TRUE(t->Locate("COD;OFERTAMATRI", {"MAT", "101"}));
    EXPECT_EQ(Materia(), "l1");
    ASSERT_TRUE(t->Locate("COD", {"OTRA"}));
    EXPECT_EQ(Materia(), "m1");
}

TEST_F(Locate, PublicaElRegistroPendienteAntesDeBuscar) {
    Anadir("PEND", "1", "p1");
    EXPECT_TRUE(t->Locate("COD", {"PEND"}));
    EXPECT_FALSE(t->Editando());
    EXPECT_EQ(t->RecordCount(), 7);
}

TEST_F(Locate, CampoAusenteOValoresDeMasSonError) {
    try {
        t->Locate("COD;NOEXISTE", {"MAT", "x"});
        FAIL();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("NOEXISTE"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("ASIGNOMT2"), std::string::npos);
    }
    EXPECT_THROW(t->Locate("COD", {"MAT", "101"}), Error);
}

TEST(LocateNumerico, ComparaPorValor) {
    CarpetaTemporal dir;
    CrearTabla(dir.ruta(), "T", {{"N", TipoCampo::Entero, 0}, {"H", TipoCampo::Flotante, 0}});
    Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
    for (int i : {5, 12, 12}) {
        t.Append();
        t.FieldByName("N").SetAsInteger(i);
        t.FieldByName("H").SetAsFloat(i / 4.0);
    }
    t.Post();
    EXPECT_TRUE(t.Locate("N", {" 12"}));
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_TRUE(t.Locate("H", {"1.25"}));
    EXPECT_EQ(t.RecNo(), 1);
    EXPECT_FALSE(t.Locate("N", {"doce"}));
}

} // namespace
} // namespace belvaro::prueba
