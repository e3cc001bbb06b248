// Damaged files are refused with a message naming the file; what real dBase writers
// produce is accepted.

#include "ApoyoTablas.h"

#include "app/Error.h"

#include <functional>
#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

// Two fields (C 4, N 3), three records: header 97 bytes, records of 8 bytes.
std::string Sana() {
    return DbfCrudo({{"CLAVE", 'C', 4}, {"NUM", 'N', 3}}, {"uno   1", "dos   2", "tres  3"});
}
constexpr std::size_t kCabecera = 32 + 2 * 32 + 1;

void Poner16(std::string& b, std::size_t pos, unsigned v) {
    b[pos] = static_cast<char>(v & 0xFF);
    b[pos + 1] = static_cast<char>(v >> 8);
}

struct Dano {
    const char* caso;
    std::function<void(std::string&)> danar;
};

std::ostream& operator<<(std::ostream& os, const Dano& d) {
    return os << d.caso;
}

class ArchivoDanado : public testing::TestWithParam<Dano> {};

TEST_P(ArchivoDanado, EsErrorQueNombraElArchivo) {
    CarpetaTemporal dir;
    auto bytes = Sana();
    GetParam().danar(bytes);
    EscribirArchivo(dir / "GRUPOST.DBF", bytes);
    try {
        Tabla t(dir.ruta(), "GRUPOST");
        FAIL() << "opened";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find((dir / "GRUPOST.DBF").string()), std::string::npos)
            << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ArchivoDanado,
    testing::
        Values(Dano{"vacio", [](std::string& b) { b.clear(); }},
               Dano{"cortado_en_la_cabecera", [](std::string& b) { b.resize(20); }},
               Dano{"cortado_tras_la_cabecera", [](std::string& b) { b.resize(32); }},
               Dano{"cortado_en_un_descriptor", [](std::string& b) { b.resize(50); }},
               Dano{"cortado_antes_del_terminador",
                    [](std::string& b) { b.resize(kCabecera - 1); }},
               Dano{"cortado_en_los_registros", [](std::string& b) { b.resize(kCabecera + 12); }},
               Dano{"sin_el_ultimo_registro", [](std::string& b) { b.resize(kCabecera + 16); }},
               Dano{"version_desconocida", [](std::string& b) { b[0] = 0x00; }},
               Dano{"cabecera_mayor_que_el_archivo", [](std::string& b) { Poner16(b, 8, 5000); }},
               Dano{"cabecera_menor_que_los_descriptores",
                    [](std::string& b) { Poner16(b, 8, 64); }},
               Dano{"cabecera_diminuta", [](std::string& b) { Poner16(b, 8, 10); }},
               Dano{"registro_mas_largo", [](std::string& b) { Poner16(b, 10, 9); }},
               Dano{"registro_mas_corto", [](std::string& b) { Poner16(b, 10, 7); }},
               Dano{"registro_de_cero", [](std::string& b) { Poner16(b, 10, 0); }},
               Dano{"mas_registros_que_datos", [](std::string& b) { b[4] = 4; }},
               Dano{"cuenta_enorme",
                    [](std::string& b) { b[4] = b[5] = b[6] = b[7] = static_cast<char>(0xFF); }},
               Dano{"sin_terminador", [](std::string& b) { b[kCabecera - 1] = 'X'; }},
               Dano{"tipo_nulo", [](std::string& b) { b[32 + 11] = '\0'; }},
               Dano{"tipo_no_letra", [](std::string& b) { b[32 + 11] = '#'; }},
               Dano{"ancho_cero", [](std::string& b) { b[32 + 16] = 0; }},
               Dano{"nombre_vacio", [](std::string& b) { b[32] = '\0'; }},
               Dano{"logico_ancho", [](std::string& b) { b[64 + 11] = 'L'; }},
               Dano{"entero_binario_ancho", [](std::string& b) { b[64 + 11] = 'I'; }},
               Dano{"decimales_excesivos", [](std::string& b) { b[64 + 17] = 5; }},
               Dano{
                   "sin_campos",
                   [](std::string& b) {
                       b = b.substr(0, 32) + "\x0D";
                       Poner16(b, 8, 33);
                       Poner16(b, 10, 1);
                       b[4] = 0;
                   }}),
    [](const auto& info) { return std::string(info.param.caso); });

struct Variante {
    const char* caso;
    std::function<void(std::string&)> cambiar;
    int registros;
};

std::ostream& operator<<(std::ostream& os, const Variante& v) {
    return os << v.caso;
}

class ArchivoAceptado : public testing::TestWithParam<Variante> {};

TEST_P(ArchivoAceptado, SeLeeYSeAmplia) {
    CarpetaTemporal dir;
    auto bytes = Sana();
    GetParam().cambiar(bytes);
    EscribirArchivo(dir / "T.DBF", bytes);
    {
        Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
        ASSERT_EQ(t.RecordCount(), GetParam().registros);
        EXPECT_EQ(t.FieldByName("CLAVE").AsString(), "uno");
        EXPECT_EQ(t.FieldByName("NUM").AsInteger(), 1);
        t.Append();
        t.FieldByName("CLAVE").SetAsString("mas");
        t.Close();
    }
    Tabla t(dir.ruta(), "T");
    EXPECT_EQ(t.RecordCount(), GetParam().registros + 1);
    ASSERT_TRUE(t.Locate("CLAVE", {"mas"}));
    EXPECT_EQ(t.RecNo(), GetParam().registros + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ArchivoAceptado,
    testing::Values(Variante{"tal_cual", [](std::string&) {}, 3},
                    Variante{"sin_marca_de_fin", [](std::string& b) { b.pop_back(); }, 3},
                    Variante{"bytes_tras_la_marca", [](std::string& b) { b += "basura"; }, 3},
                    Variante{"cuenta_menor_que_los_datos", [](std::string& b) { b[4] = 2; }, 2},
                    Variante{"dbase_iv_con_memo",
                             [](std::string& b) { b[0] = static_cast<char>(0x8B); }, 3},
                    Variante{"visual_foxpro", [](std::string& b) { b[0] = 0x30; }, 3},
                    Variante{"cabecera_con_relleno",
                             [](std::string& b) {
                                 // Visual FoxPro keeps 263 bytes after the terminator.
                                 b.insert(kCabecera, std::string(263, '\0'));
                                 Poner16(b, 8, kCabecera + 263);
                             },
                             3}),
    [](const auto& info) { return std::string(info.param.caso); });

} // namespace
} // namespace belvaro::prueba
