#include "tests/export/PasoExportar.h"

#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

// A staff record: employee id, start date, department and the three name parts.
DocumentoSeneca::Valores Empleado(const std::string& parte1, const std::string& parte2,
                                  const std::string& parte3) {
    return {"E", "01/09/2026", "Dpto", parte1, parte2, parte3};
}

struct CasoAbreviaturas {
    std::string nombre;
    std::vector<DocumentoSeneca::Valores> empleados;
    std::vector<std::string> esperadas;
};

const std::vector<CasoAbreviaturas> kCasosAbreviaturas = {
    {"TresIguales",
     {Empleado("Juan", "García", "López"), Empleado("José", "Gil", "Luna"),
      Empleado("Jaime", "Gómez", "Lara")},
     {"JGL", "JGL1", "JGL2"}},
    {"SinDistinguirMayusculas",
     {Empleado("Juan", "García", "López"), Empleado("jorge", "gil", "luna"),
      Empleado("JULIA", "GIL", "LEÓN")},
     {"JGL", "jgl1", "JGL2"}},
    {"NumeradaYaTomadaComoBase",
     {Empleado("A", "", "1"), Empleado("Ana", "", ""), Empleado("Abel", "", "")},
     {"A1", "A", "A2"}},
    {"NombresVacios",
     {Empleado("", "", ""), Empleado("", "", ""), Empleado("", "", "")},
     {"", "1", "2"}},
    {"LetrasAcentuadas",
     {Empleado("Ángel", "Ñúñez", "Díaz"), Empleado("ángel", "ñúñez", "díaz")},
     {"\xC1\xD1"
      "D",
      "\xE1\xF1"
      "d1"}},
};

void PrintTo(const CasoAbreviaturas& caso, std::ostream* salida) {
    *salida << caso.nombre;
}

class CrearProfesoresAbreviaturas : public ::testing::TestWithParam<CasoAbreviaturas> {};

TEST_P(CrearProfesoresAbreviaturas, UnicasEnOrdenDelDocumento) {
    const CasoAbreviaturas& caso = GetParam();
    PasoExportar paso;
    paso.Trabajo(DocumentoSeneca().Lista("EMPLEADOS", caso.empleados)).CrearProfesores();

    std::vector<std::string> abreviaturas;
    for (const auto& fila : paso.Leer("PROFT", {"ABREV"}))
        abreviaturas.push_back(fila[0]);
    EXPECT_EQ(abreviaturas, caso.esperadas);
}

INSTANTIATE_TEST_SUITE_P(Casos, CrearProfesoresAbreviaturas,
                         ::testing::ValuesIn(kCasosAbreviaturas),
                         [](const auto& info) { return info.param.nombre; });

TEST(CrearProfesores, CamposDeCadaProfesor) {
    const std::string largo(50, 'x');
    PasoExportar paso;
    auto& trabajo = paso.Trabajo(DocumentoSeneca().Lista(
        "EMPLEADOS", {{" 1234 ", "01/09/2026", "Matemáticas", "Ana", "", "Ruiz"},
                      {"solo uno"},
                      {"E2", "2026-09-01T00:00", std::string(45, 'D'), largo, largo, "Z"},
                      {"E3", "", "Inglés"}}));
    trabajo.CrearProfesores();

    const Filas filas =
        paso.Leer("PROFT", {"ABREV", "NOMBRE", "DEPART", "X_EMPLEADO", "F_TOMAPOS"});
    const Filas esperadas = {
        {"AR", "Ana  Ruiz", "Matem\xE1ticas", "1234", "01/09/2026"},
        {"xxZ", (largo + " " + largo).substr(0, 80), std::string(40, 'D'), "E2", "2026-09-01"},
        {"", "", "Ingl\xE9s", "E3", ""},
    };
    EXPECT_EQ(filas, esperadas);

    Tabla proft(paso.Carpeta(), "PROFT");
    for (proft.First(); !proft.Eof(); proft.Next())
        EXPECT_TRUE(proft.FieldByName("DNI").EsNulo()) << "record " << proft.RecNo();
    const std::vector<std::string> campos = {"ABREV", "NOMBRE",     "DEPART",
                                             "DNI",   "X_EMPLEADO", "F_TOMAPOS"};
    EXPECT_EQ(paso.NombresDeCampos("PROFT"), campos);

    const auto& bloque = trabajo.informe.lectura.bloques["EMPLEADOS"];
    EXPECT_EQ(bloque.saltados, std::set<int>{1});
    EXPECT_EQ(bloque.incompletos, std::set<int>{3});
    const std::vector<std::pair<std::string, int>> cuentas = {{"PROFT", 3}};
    EXPECT_EQ(trabajo.informe.filasPorTabla, cuentas);
}

TEST(CrearProfesores, SinBloqueLaTablaQuedaVacia) {
    PasoExportar paso;
    paso.Trabajo(DocumentoSeneca().Lista("DEPENDENCIAS", {{"A1", "Aula"}})).CrearProfesores();
    EXPECT_TRUE(paso.Leer("PROFT", {"ABREV"}).empty());
}

} // namespace
} // namespace belvaro::prueba
