// Work grows linearly: the jobs append about 200,000 rows and make about 100,000
// lookups. An optimised build does each half in a fraction of a second; the limits
// are loose because unoptimised and sanitizer builds on a busy machine are many
// times slower, while a quadratic pass would take hours.

#include "ApoyoTablas.h"

#include <chrono>
#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

using Reloj = std::chrono::steady_clock;

double Segundos(Reloj::time_point desde) {
    return std::chrono::duration<double>(Reloj::now() - desde).count();
}

TEST(Rendimiento, DoscientasMilFilasYCienMilBusquedas) {
    CarpetaTemporal dir;
    std::vector<DefCampo> campos;
    for (int i = 0; i < 12; ++i)
        campos.push_back({"CAMPO" + std::to_string(i), TipoCampo::Texto, 10});
    campos.push_back({"HORAS", TipoCampo::Flotante, 0});
    const int filas = 200000;

    auto inicio = Reloj::now();
    CrearTabla(dir.ruta(), "ASIGT", campos);
    {
        Tabla t(dir.ruta(), "ASIGT", Acceso::Exclusivo);
        for (int i = 0; i < filas; ++i) {
            t.Append();
            for (int c = 0; c < 12; ++c)
                t.FieldByName(campos[static_cast<std::size_t>(c)].nombre)
                    .SetAsString("V" + std::to_string(i % (1000 + c)));
            t.FieldByName("HORAS").SetAsFloat(4);
            t.Post();
        }
        t.Close();
    }
    const double escribir = Segundos(inicio);
    RecordProperty("segundos_escritura", std::to_string(escribir));
    EXPECT_LT(escribir, 60.0);

    inicio = Reloj::now();
    Tabla t(dir.ruta(), "ASIGT", Acceso::Exclusivo);
    int halladas = 0;
    for (int i = 0; i < 100000; ++i) {
        const auto clave = "V" + std::to_string(i % 1500);
        halladas += t.Locate("CAMPO0;CAMPO1", {clave, clave}) ? 1 : 0;
        t.Edit(); // changes keep the indexes right at no great cost
        t.FieldByName("CAMPO11").SetAsString("X" + std::to_string(i));
        t.Post();
    }
    const double buscar = Segundos(inicio);
    RecordProperty("segundos_busqueda", std::to_string(buscar));
    EXPECT_LT(buscar, 60.0);
    // V0..V999 occur in both fields at row i = k; V1000..V1499 never in CAMPO0.
    EXPECT_EQ(halladas, 100000 / 1500 * 1000 + std::min(100000 % 1500, 1000));
    ASSERT_TRUE(t.Locate("CAMPO0;CAMPO1", {"V5", "V5"}));
    EXPECT_EQ(t.RecNo(), 6);
}

} // namespace
} // namespace belvaro::prueba
