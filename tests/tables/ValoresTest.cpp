// Values of every kind: what is written, what comes back after the file is closed
// and opened again, and what a field refuses.

#include "ApoyoTablas.h"

#include "app/Error.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

struct IdaYVuelta {
    const char* caso;
    DefCampo def;
    std::function<void(Campo)> poner;
    std::string leido; // AsString after reopening
};

std::ostream& operator<<(std::ostream& os, const IdaYVuelta& c) {
    return os << c.caso;
}

class ValorGuardado : public testing::TestWithParam<IdaYVuelta> {};

TEST_P(ValorGuardado, SeLeeIgualTrasReabrir) {
    const auto& c = GetParam();
    CarpetaTemporal dir;
    CrearTabla(dir.ruta(), "T", {c.def, {"OTRO", TipoCampo::Texto, 3}});
    {
        Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
        t.Append();
        c.poner(t.FieldByName(c.def.nombre));
        t.FieldByName("OTRO").SetAsString("zz");
        t.Close();
    }
    Tabla t(dir.ruta(), "T");
    ASSERT_EQ(t.RecordCount(), 1);
    EXPECT_EQ(t.FieldByName(c.def.nombre).AsString(), c.leido);
    EXPECT_EQ(t.FieldByName("OTRO").AsString(), "zz");
}

const DefCampo kTexto5{"TEXTO", TipoCampo::Texto, 5};
const DefCampo kTexto80{"TEXTO", TipoCampo::Texto, 80};
const DefCampo kEntero{"NUMERO", TipoCampo::Entero, 0};
const DefCampo kFlotante{"HORAS", TipoCampo::Flotante, 0};
const DefCampo kLogico{"ESTAREA", TipoCampo::Logico, 0};

INSTANTIATE_TEST_SUITE_P(
    Tipos, ValorGuardado,
    testing::Values(
        IdaYVuelta{"texto", kTexto80, [](Campo f) { f.SetAsString("Matem\xE1ticas"); },
                   "Matem\xE1ticas"},
        IdaYVuelta{"texto_cortado", kTexto5, [](Campo f) { f.SetAsString("ABCDEFGHIJ"); }, "ABCDE"},
        IdaYVuelta{"texto_blancos", kTexto80, [](Campo f) { f.SetAsString("  a b  "); }, "  a b"},
        IdaYVuelta{"texto_ancho_justo", kTexto5, [](Campo f) { f.SetAsString("12345"); }, "12345"},
        IdaYVuelta{"texto_de_entero", kTexto5, [](Campo f) { f.SetAsInteger(-1234); }, "-1234"},
        IdaYVuelta{"entero", kEntero, [](Campo f) { f.SetAsInteger(42); }, "42"},
        IdaYVuelta{"entero_minimo", kEntero, [](Campo f) { f.SetAsInteger(-2147483648LL); },
                   "-2147483648"},
        IdaYVuelta{"entero_de_texto", kEntero, [](Campo f) { f.SetAsString(" 17 "); }, "17"},
        IdaYVuelta{"entero_vacio", kEntero, [](Campo f) { f.SetAsString(""); }, ""},
        IdaYVuelta{"entero_sin_tocar", kEntero, [](Campo) {}, ""},
        IdaYVuelta{"flotante", kFlotante, [](Campo f) { f.SetAsFloat(4); }, "4.0000"},
        IdaYVuelta{"flotante_redondeo", kFlotante, [](Campo f) { f.SetAsFloat(123.45678); },
                   "123.4568"},
        IdaYVuelta{"flotante_negativo", kFlotante, [](Campo f) { f.SetAsFloat(-0.5); }, "-0.5000"},
        IdaYVuelta{"flotante_casi_cero", kFlotante, [](Campo f) { f.SetAsFloat(-0.00001); },
                   "0.0000"},
        IdaYVuelta{"flotante_de_entero", kFlotante, [](Campo f) { f.SetAsInteger(7); }, "7.0000"},
        IdaYVuelta{"logico_cierto", kLogico, [](Campo f) { f.SetAsBoolean(true); }, "T"},
        IdaYVuelta{"logico_falso", kLogico, [](Campo f) { f.SetAsBoolean(false); }, "F"},
        IdaYVuelta{"logico_sin_tocar", kLogico, [](Campo) {}, ""}),
    [](const auto& info) { return std::string(info.param.caso); });

TEST(Valores, NumerosYLogicosSeLeenEnSuTipo) {
    CarpetaTemporal dir;
    CrearTabla(dir.ruta(), "T", {kEntero, kFlotante, kLogico, {"TXT", TipoCampo::Texto, 10}});
    Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
    t.Append();
    t.FieldByName("NUMERO").SetAsInteger(-31);
    t.FieldByName("HORAS").SetAsFloat(2.75);
    t.FieldByName("ESTAREA").SetAsBoolean(true);
    t.FieldByName("TXT").SetAsString("  12");
    t.Post();
    EXPECT_EQ(t.FieldByName("NUMERO").AsInteger(), -31);
    EXPECT_DOUBLE_EQ(t.FieldByName("NUMERO").AsFloat(), -31.0);
    EXPECT_DOUBLE_EQ(t.FieldByName("HORAS").AsFloat(), 2.75);
    EXPECT_TRUE(t.FieldByName("ESTAREA").AsBoolean());
    EXPECT_EQ(t.FieldByName("TXT").AsInteger(), 12);
    EXPECT_FALSE(t.FieldByName("NUMERO").EsNulo());

    t.Append();
    t.Post(); // an untouched record: blank numbers read as 0
    EXPECT_TRUE(t.FieldByName("NUMERO").EsNulo());
    EXPECT_EQ(t.FieldByName("NUMERO").AsInteger(), 0);
    EXPECT_FALSE(t.FieldByName("ESTAREA").AsBoolean());
}

TEST(Valores, EnteroYFlotanteOcupanSuDisposicionEnElArchivo) {
    CarpetaTemporal dir;
    CrearTabla(dir.ruta(), "T", {kEntero, kFlotante, kLogico});
    {
        Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
        t.Append();
        t.FieldByName("NUMERO").SetAsInteger(42);
        t.FieldByName("HORAS").SetAsFloat(4);
        t.FieldByName("ESTAREA").SetAsBoolean(false);
        t.Close();
    }
    const auto b = LeerArchivo(dir / "T.DBF");
    const std::size_t cabecera = 32 + 3 * 32 + 1;
    EXPECT_EQ(b.substr(cabecera, 1 + 11 + 20 + 1),
              " " + std::string(9, ' ') + "42" + std::string(14, ' ') + "4.0000" + "F");
}

// Each row puts a value that its field cannot hold.
struct Rechazo {
    const char* caso;
    DefCampo def;
    std::function<void(Campo)> poner;
};

std::ostream& operator<<(std::ostream& os, const Rechazo& c) {
    return os << c.caso;
}

class ValorRechazado : public testing::TestWithParam<Rechazo> {};

TEST_P(ValorRechazado, EsErrorQueNombraCampoYTablaYNoCambiaNada) {
    const auto& c = GetParam();
    CarpetaTemporal dir;
    CrearTabla(dir.ruta(), "CURSOST", {c.def});
    Tabla t(dir.ruta(), "CURSOST", Acceso::Exclusivo);
    t.Append();
    try {
        c.poner(t.FieldByName(c.def.nombre));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(c.def.nombre), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("CURSOST"), std::string::npos) << e.what();
    }
    t.Post();
    EXPECT_TRUE(t.FieldByName(c.def.nombre).EsNulo());
}

INSTANTIATE_TEST_SUITE_P(
    NoCaben, ValorRechazado,
    testing::Values(
        Rechazo{"entero_de_12_cifras", kEntero, [](Campo f) { f.SetAsInteger(100000000000LL); }},
        Rechazo{"entero_desde_texto_largo", kEntero,
                [](Campo f) { f.SetAsString("-12345678901"); }},
        Rechazo{"flotante_grande", kFlotante, [](Campo f) { f.SetAsFloat(1e16); }},
        Rechazo{"flotante_no_finito", kFlotante, [](Campo f) { f.SetAsFloat(NAN); }},
        Rechazo{"numero_en_texto_estrecho", kTexto5, [](Campo f) { f.SetAsInteger(123456); }},
        Rechazo{"texto_no_numerico", kEntero, [](Campo f) { f.SetAsString("12a"); }},
        Rechazo{"texto_no_logico", kLogico, [](Campo f) { f.SetAsString("quiz\xE1s"); }},
        Rechazo{"entero_en_logico", kLogico, [](Campo f) { f.SetAsInteger(1); }},
        Rechazo{"logico_en_numero", kEntero, [](Campo f) { f.SetAsBoolean(true); }}),
    [](const auto& info) { return std::string(info.param.caso); });

class TextoNoEntero : public testing::TestWithParam<std::string> {};

TEST_P(TextoNoEntero, AsIntegerEsErrorConTablaCampoYRegistro) {
    CarpetaTemporal dir;
    CrearTabla(dir.ruta(), "DIASHORAST", {{"MINUTOS", TipoCampo::Texto, 20}});
    Tabla t(dir.ruta(), "DIASHORAST", Acceso::Exclusivo);
    for (const char* v : {"60", GetParam().c_str()}) {
        t.Append();
        t.FieldByName("MINUTOS").SetAsString(v);
    }
    t.Post();
    EXPECT_EQ(t.RecNo(), 2);
    try {
        (void)t.FieldByName("MINUTOS").AsInteger();
        FAIL() << "no error";
    } catch (const Error& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("DIASHORAST"), std::string::npos) << m;
        EXPECT_NE(m.find("MINUTOS"), std::string::npos) << m;
        EXPECT_NE(m.find("registro 2"), std::string::npos) << m;
    }
    t.First();
    EXPECT_EQ(t.FieldByName("MINUTOS").AsInteger(), 60);
}

INSTANTIATE_TEST_SUITE_P(Textos, TextoNoEntero,
                         testing::Values("", "12a", "1.5", "--3", "1e3", "99999999999999999999"));

// A table as another program writes it, with every kind a host table may hold.
TEST(Valores, LeeLosTiposDeUnaTablaAjena) {
    CarpetaTemporal dir;
    const std::vector<CampoCrudo> campos{{"PROF", 'C', 6},   {"DIA", 'N', 3},   {"PESO", 'F', 8, 2},
                                         {"ACTIVO", 'L', 1}, {"FECHA", 'D', 8}, {"HORA", 'I', 4},
                                         {"NOTAS", 'M', 10}};
    const std::string horaMenosSiete("\xF9\xFF\xFF\xFF", 4);
    const std::string hora300("\x2C\x01\x00\x00", 4);
    EscribirArchivo(dir / "SOLUC.DBF",
                    DbfCrudo(campos, {"JGL     2    3.25t20240131" + horaMenosSiete + "         1",
                                      "ABC   " + std::string(3, ' ') + std::string(8, ' ') + "?" +
                                          std::string(8, ' ') + hora300 + std::string(10, ' ')}));
    Tabla t(dir.ruta(), "SOLUC");
    ASSERT_EQ(t.Campos().size(), 7u);
    EXPECT_EQ(t.Campos()[2].tipo, 'F');
    EXPECT_EQ(t.Campos()[2].decimales, 2);
    EXPECT_EQ(t.FieldByName("PROF").AsString(), "JGL");
    EXPECT_EQ(t.FieldByName("DIA").AsString(), "2");
    EXPECT_EQ(t.FieldByName("DIA").AsInteger(), 2);
    EXPECT_EQ(t.FieldByName("PESO").AsString(), "3.25");
    EXPECT_DOUBLE_EQ(t.FieldByName("PESO").AsFloat(), 3.25);
    EXPECT_EQ(t.FieldByName("ACTIVO").AsString(), "T");
    EXPECT_EQ(t.FieldByName("FECHA").AsString(), "20240131");
    EXPECT_EQ(t.FieldByName("HORA").AsString(), "-7");
    EXPECT_EQ(t.FieldByName("HORA").AsInteger(), -7);
    EXPECT_EQ(t.FieldByName("NOTAS").AsString(), "");
    t.Next();
    EXPECT_EQ(t.FieldByName("DIA").AsInteger(), 0);
    EXPECT_TRUE(t.FieldByName("DIA").EsNulo());
    EXPECT_EQ(t.FieldByName("ACTIVO").AsString(), "");
    EXPECT_EQ(t.FieldByName("HORA").AsString(), "300");
    EXPECT_TRUE(t.Locate("HORA", {"300"}));
    EXPECT_TRUE(t.Locate("DIA", {"2"}));
    EXPECT_EQ(t.RecNo(), 1);
}

} // namespace
} // namespace belvaro::prueba
