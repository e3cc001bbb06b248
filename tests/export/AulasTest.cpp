#include "tests/export/PasoExportar.h"

#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

TEST(CrearAulas, UnaAulaPorRegistroConElCodigoDeSeneca) {
    PasoExportar paso;
    auto& trabajo = paso.Trabajo(
        DocumentoSeneca().Lista("DEPENDENCIAS", {{"DEP123456789", "Laboratorio de Química"},
                                                 {"solo el código"},
                                                 {" 17 ", " Aula 1 "},
                                                 {"17", "Aula 1 bis"},
                                                 {"18", ""}}));
    trabajo.CrearAulas();

    const Filas filas = paso.Leer("AULAT", {"ABREV", "NOMBRE", "EDIFICIO", "DEPCENTRO"});
    const Filas esperadas = {
        {"DEP1234567", "Laboratorio de Qu\xEDmica", "", "DEP1234567"},
        {"17", "Aula 1", "", "17"},
        {"17", "Aula 1 bis", "", "17"},
        {"18", "", "", "18"},
    };
    EXPECT_EQ(filas, esperadas);

    Tabla aulat(paso.Carpeta(), "AULAT");
    for (aulat.First(); !aulat.Eof(); aulat.Next())
        EXPECT_TRUE(aulat.FieldByName("MAXALUM").EsNulo()) << "record " << aulat.RecNo();
    const std::vector<std::string> campos = {"ABREV", "NOMBRE", "EDIFICIO", "MAXALUM", "DEPCENTRO"};
    EXPECT_EQ(paso.NombresDeCampos("AULAT"), campos);

    EXPECT_EQ(trabajo.informe.lectura.bloques["DEPENDENCIAS"].saltados, std::set<int>{1});
    const std::vector<std::pair<std::string, int>> cuentas = {{"AULAT", 4}};
    EXPECT_EQ(trabajo.informe.filasPorTabla, cuentas);
}

TEST(CrearAulas, SinBloqueLaTablaQuedaVacia) {
    PasoExportar paso;
    paso.Trabajo(DocumentoSeneca().Lista("dependencias", {{"A1", "Aula"}})).CrearAulas();
    EXPECT_TRUE(paso.Leer("AULAT", {"ABREV"}).empty());
}

} // namespace
} // namespace belvaro::prueba
