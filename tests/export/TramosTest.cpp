#include "tests/export/PasoExportar.h"

#include "app/Error.h"

#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

// Slot records of one day: code, label, start, end.
std::vector<DocumentoSeneca::Valores> Tramos(int cuantos) {
    std::vector<DocumentoSeneca::Valores> tramos;
    for (int i = 1; i <= cuantos; ++i)
        tramos.push_back({"T" + std::to_string(i), std::to_string(i) + "ª", "480", "540"});
    return tramos;
}

struct CasoClaves {
    int tramos;
    std::vector<std::pair<std::size_t, std::string>> claves; // row number, DIHO
};

void PrintTo(const CasoClaves& caso, std::ostream* os) {
    *os << caso.tramos << " tramos";
}

class CrearTramosClaves : public ::testing::TestWithParam<CasoClaves> {};

TEST_P(CrearTramosClaves, SieteDiasPorTramo) {
    const CasoClaves& caso = GetParam();
    PasoExportar paso;
    auto& trabajo = paso.Trabajo(DocumentoSeneca().Lista("TRAMOS_HORARIOS", Tramos(caso.tramos)));
    trabajo.CrearTramos();

    const Filas filas = paso.Leer("DIASHORAST", {"DIHO", "DIA", "CODDIHO", "TEXTODIA"});
    ASSERT_EQ(filas.size(), static_cast<std::size_t>(7 * caso.tramos));
    for (std::size_t i = 0; i < filas.size(); ++i) {
        const auto dia = std::to_string(i / caso.tramos + 1);
        const auto tramo = std::to_string(i % caso.tramos + 1);
        EXPECT_EQ(filas[i], (std::vector<std::string>{dia + tramo, dia, "T" + tramo, ""}))
            << "row " << i;
    }
    for (const auto& [numero, clave] : caso.claves)
        EXPECT_EQ(filas.at(numero).front(), clave);
    EXPECT_EQ(trabajo.informe.filasPorTabla.back(),
              (std::pair<std::string, int>("DIASHORAST", 7 * caso.tramos)));
}

INSTANTIATE_TEST_SUITE_P(Tramos, CrearTramosClaves,
                         ::testing::Values(CasoClaves{6, {{0, "11"}, {5, "16"}, {41, "76"}}},
                                           CasoClaves{12, {{9, "110"}, {83, "712"}}},
                                           CasoClaves{0, {}}));

struct CasoHoras {
    DocumentoSeneca::Valores registro;
    std::vector<std::string> esperada; // HORA, TEXTOHOR, HORADESDE, HORAHASTA, MINUTOS
};

void PrintTo(const CasoHoras& caso, std::ostream* os) {
    *os << ::testing::PrintToString(caso.registro);
}

class CrearTramosHoras : public ::testing::TestWithParam<CasoHoras> {};

TEST_P(CrearTramosHoras, HorasYMinutos) {
    PasoExportar paso;
    paso.Trabajo(DocumentoSeneca().Lista("TRAMOS_HORARIOS", {GetParam().registro})).CrearTramos();
    const Filas filas =
        paso.Leer("DIASHORAST", {"HORA", "TEXTOHOR", "HORADESDE", "HORAHASTA", "MINUTOS"});
    ASSERT_EQ(filas.size(), 7u);
    for (const auto& fila : filas)
        EXPECT_EQ(fila, GetParam().esperada);
}

INSTANTIATE_TEST_SUITE_P(
    Tramos, CrearTramosHoras,
    ::testing::Values(
        CasoHoras{{"T1", " 1ª ", "480", "540"}, {"1\xAA", "1\xAA", "0480", "0540", "60"}},
        CasoHoras{{"T1", "Tarde", "1000", "1100"}, {"Tarde", "Tarde", "1000", "1100", "100"}},
        CasoHoras{{"T1", "R", "60", "90"}, {"R", "R", "060", "090", "30"}},
        CasoHoras{{"T1", "X", "", "0540"}, {"X", "X", "0", "0540", "540"}},
        CasoHoras{{"T1", "X", "600", "540"}, {"X", "X", "0600", "0540", "-60"}},
        // Records are not skipped for lacking values: they read as empty.
        CasoHoras{{"T1"}, {"", "", "0", "0", "0"}}));

struct CasoHoraMala {
    std::string desde;
    std::string hasta;
    std::string citada; // the value the message quotes, as in the file
};

void PrintTo(const CasoHoraMala& caso, std::ostream* os) {
    *os << caso.desde << " - " << caso.hasta;
}

class CrearTramosHoraMala : public ::testing::TestWithParam<CasoHoraMala> {};

TEST_P(CrearTramosHoraMala, DetieneAntesDeLaFilaDelTramo) {
    const CasoHoraMala& caso = GetParam();
    PasoExportar paso;
    auto& trabajo = paso.Trabajo(
        DocumentoSeneca().Lista("TRAMOS_HORARIOS", {{"T1", "1", "480", "540"},
                                                    {"T2", "2", caso.desde, caso.hasta},
                                                    {"T3", "3", "600", "660"}}));
    try {
        trabajo.CrearTramos();
        FAIL() << "a time that is no whole number was accepted";
    } catch (const Error& e) {
        const std::string mensaje = e.what();
        EXPECT_NE(mensaje.find("tramo horario 2"), std::string::npos) << mensaje;
        EXPECT_NE(mensaje.find("T2"), std::string::npos) << mensaje;
        EXPECT_NE(mensaje.find("«" + caso.citada + "»"), std::string::npos) << mensaje;
    }
    EXPECT_EQ(paso.Leer("DIASHORAST", {"DIHO"}), (Filas{{"11"}}));
}

INSTANTIATE_TEST_SUITE_P(Tramos, CrearTramosHoraMala,
                         ::testing::Values(CasoHoraMala{"8:30", "0930", "8:30"},
                                           CasoHoraMala{"0830", "9.5", "9.5"},
                                           CasoHoraMala{"-5", "0930", "-5"},
                                           CasoHoraMala{"0830", "99999999999", "99999999999"}));

} // namespace
} // namespace belvaro::prueba
