#include "app/Clipper.h"

#include <gtest/gtest.h>

#include <functional>

namespace belvaro {
namespace {

struct Caso {
    const char* nombre;
    std::function<std::string(std::string_view)> funcion;
    std::string entrada;
    std::string esperado;
};

class ClipperTest : public ::testing::TestWithParam<Caso> {};

TEST_P(ClipperTest, DaLoEsperado) {
    const Caso& caso = GetParam();
    EXPECT_EQ(caso.funcion(caso.entrada), caso.esperado) << caso.nombre;
}

// \xD1 is Ñ, \xFA is ú, \xC1 is Á in Windows-1252.
INSTANTIATE_TEST_SUITE_P(
    Casos, ClipperTest,
    ::testing::Values(
        Caso{"AllTrim vacio", AllTrim, "", ""},
        Caso{"AllTrim solo espacios", AllTrim, "   ", ""},
        Caso{"AllTrim conserva tabulador", AllTrim, "\tAula ", "\tAula"},
        Caso{"AllTrim espacio interior", AllTrim, "  Aula 3  ", "Aula 3"},
        Caso{"AllTrim no quita 0xA0", AllTrim, "\xA0x\xA0", "\xA0x\xA0"},
        Caso{"RTrim solo al final", RTrim, "  a  ", "  a"},
        Caso{"LTrim solo al principio", LTrim, "  a  ", "a  "},
        Caso{"LTrim solo espacios", LTrim, "  ", ""},
        Caso{"SoloMayusculas frase", SoloMayusculas, "Lengua Castellana y Literatura", "LCL"},
        Caso{"SoloMayusculas acentuadas fuera", SoloMayusculas, "\xD1" "and\xFA \xC1" "rbol", ""},
        Caso{"SoloMayusculas sin digitos", SoloMayusculas, "ESO 1\xBA B", "ESOB"},
        Caso{"Iniciales frase", Iniciales, "Lengua Castellana y Literatura", "CyL"},
        Caso{"Iniciales sin espacios", Iniciales, "Matematicas", ""},
        Caso{"Iniciales espacio final", Iniciales, "Palabra ", ""},
        Caso{"Iniciales dos espacios", Iniciales, "a  b", " b"},
        Caso{"Iniciales primer caracter espacio", Iniciales, " x", "x"},
        Caso{"MayusculasAZ solo a-z", MayusculasAZ, "a\xF1z\xE1Q", "A\xF1Z\xE1Q"},
        Caso{"Plegado ascii", SinMayusculasNiMinusculas, "jgl1", "JGL1"},
        Caso{"Plegado acentos", SinMayusculasNiMinusculas, "\xE1\xF1\xFF\x9A", "\xC1\xD1\x9F\x8A"},
        Caso{"Plegado deja division y corchete", SinMayusculasNiMinusculas, "\xF7[`", "\xF7[`"}),
    [](const ::testing::TestParamInfo<Caso>& info) { return "caso" + std::to_string(info.index); });

} // namespace
} // namespace belvaro
