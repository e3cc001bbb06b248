#include "seneca/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace belvaro {
namespace {

TEST(CodePage, LosDoscientosCincuentaYSeisBytesVanYVuelven) {
    for (int b = 0; b < 256; ++b) {
        std::string ansi(1, static_cast<char>(b));
        std::string utf8 = AnsiAUtf8(ansi);
        EXPECT_EQ(Utf8AAnsi(utf8), ansi) << "byte " << b;
    }
    std::string todos;
    for (int b = 0; b < 256; ++b) {
        todos += static_cast<char>(b);
    }
    EXPECT_EQ(Utf8AAnsi(AnsiAUtf8(todos)), todos);
}

struct Caracter {
    unsigned char ansi;
    const char* utf8;
};

class PaginaAnsi : public testing::TestWithParam<Caracter> {};

// Bytes whose character differs from Latin-1, and the five Windows leaves undefined.
TEST_P(PaginaAnsi, CadaByteEsSuCaracter) {
    std::string ansi(1, static_cast<char>(GetParam().ansi));
    EXPECT_EQ(AnsiAUtf8(ansi), GetParam().utf8);
    EXPECT_EQ(Utf8AAnsi(GetParam().utf8), ansi);
}

INSTANTIATE_TEST_SUITE_P(Windows1252, PaginaAnsi,
                         testing::Values(Caracter{0x80, "€"}, Caracter{0x8A, "Š"},
                                         Caracter{0x93, "“"}, Caracter{0x9F, "Ÿ"},
                                         Caracter{0xA0, "\u00A0"}, Caracter{0xD1, "Ñ"},
                                         Caracter{0xFC, "ü"}, Caracter{0x81, "\u0081"},
                                         Caracter{0x8D, "\u008D"}, Caracter{0x8F, "\u008F"},
                                         Caracter{0x90, "\u0090"}, Caracter{0x9D, "\u009D"}));

struct Conversion {
    const char* nombre;
    std::string utf8;
    std::string ansi;
};

class DeUtf8 : public testing::TestWithParam<Conversion> {};

TEST_P(DeUtf8, LoQueLaPaginaNoTieneEsInterrogacion) {
    EXPECT_EQ(Utf8AAnsi(GetParam().utf8), GetParam().ansi);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DeUtf8,
    testing::Values(Conversion{"Espanol", "Educación Física y Ñandú: 1º, 2ª; ¿sí? ¡ya!",
                               "Educaci\xF3n F\xEDsica y \xD1"
                               "and\xFA: 1\xBA, 2\xAA; \xBFs\xED? \xA1ya!"},
                    Conversion{"Euro", "10 €", "10 \x80"}, Conversion{"Griego", "αβγ", "???"},
                    Conversion{"Chino", "a中文b", "a??b"}, Conversion{"Emoji", "ok 😀!", "ok ?!"},
                    Conversion{"Cirilico", "Жñ", "?\xF1"}, Conversion{"Vacio", "", ""},
                    Conversion{"AsciiConNulo", std::string("a\0b", 3), std::string("a\0b", 3)},
                    Conversion{"ContinuacionSuelta", "a\x80z", "a?z"},
                    Conversion{"CabeceraSinContinuacion", "a\xC3", "a?"},
                    Conversion{"CabeceraYLetra", "\xC3z\xC3\xA9", "?z\xE9"},
                    Conversion{"Sobrelarga", "\xC0\xAF", "??"},
                    Conversion{"Sustituto", "\xED\xA0\x80x", "???x"},
                    Conversion{"FueraDeUnicode", "\xF4\x90\x80\x80", "????"},
                    Conversion{"Bytes255", "\xFF\xFE", "??"}),
    [](const testing::TestParamInfo<Conversion>& info) { return std::string(info.param.nombre); });

TEST(CodePage, TextoLargoConAcentosNoSePierde) {
    std::string utf8;
    std::string ansi;
    for (int i = 0; i < 5000; ++i) {
        utf8 += "Árbol ñ ";
        ansi += "\xC1rbol \xF1 ";
    }
    EXPECT_EQ(Utf8AAnsi(utf8), ansi);
    EXPECT_EQ(AnsiAUtf8(ansi), utf8);
}

} // namespace
} // namespace belvaro
