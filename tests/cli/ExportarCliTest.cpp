#include "cli/Comandos.h"
#include "tests/cli/Orden.h"
#include "tests/export/ExportacionCompleta.h"

#include <gtest/gtest.h>

namespace belvaro::prueba {
namespace {

namespace fs = std::filesystem;
using namespace belvaro::cli;

class ExportarCliTest : public ::testing::Test {
  protected:
    ExportarCliTest() {
        ColegioPequeno().Guardar(Xml());
        EscribirArchivo(carpeta / "niveles.csv", "CLAVE;NIVEL;CURSO\n1001;ESO;1\n1002;BCT;2\n");
    }
    fs::path Xml() const { return carpeta / "colegio.xml"; }
    fs::path Datos() const { return carpeta / "ZTEMP"; }

    SalidaOrden Exportar(std::vector<std::string> opciones, const fs::path& xml) {
        std::vector<std::string> args{"exportar", xml.string(), "--datos", Datos().string()};
        args.insert(args.end(), opciones.begin(), opciones.end());
        return EjecutarCli(args);
    }
    SalidaOrden Exportar(std::vector<std::string> opciones = {}) {
        return Exportar(std::move(opciones), Xml());
    }
    std::vector<std::string> Niveles() const {
        Tabla cursos(Datos(), "CURSOST");
        std::vector<std::string> niveles;
        for (cursos.First(); !cursos.Eof(); cursos.Next())
            niveles.push_back(cursos.FieldByName("NIVEL").AsString() + "/" +
                              cursos.FieldByName("CURSO").AsString());
        return niveles;
    }

    CarpetaTemporal carpeta;
};

bool Contiene(const std::string& texto, const std::string& parte) {
    return texto.find(parte) != std::string::npos;
}

TEST_F(ExportarCliTest, ConNivelesTerminaYResume) {
    const SalidaOrden r = Exportar({"--niveles", (carpeta / "niveles.csv").string()});
    ASSERT_EQ(r.estado, kOk) << r.errores;
    EXPECT_TRUE(r.salida.starts_with("Proceso finalizado\n")) << r.salida;
    EXPECT_TRUE(Contiene(r.salida, "  PERIODOS: 1\n")) << r.salida;
    EXPECT_TRUE(Contiene(r.salida, "  CURSOST: 2\n"));
    EXPECT_TRUE(Contiene(r.salida, "  DIASHORAST: 14\n"));
    EXPECT_FALSE(Contiene(r.salida, "Salida forzada"));
    EXPECT_EQ(Niveles(), (std::vector<std::string>{"ESO/1", "BCT/2"}));
}

TEST_F(ExportarCliTest, SinTerminalYConCursosIncompletosSeDetiene) {
    ASSERT_EQ(Exportar({"--niveles", (carpeta / "niveles.csv").string()}).estado, kOk);
    const auto antes = Contenido(Datos());
    EscribirArchivo(carpeta / "parcial.csv", "1001;ESO;1\n");
    const SalidaOrden r = Exportar({"--niveles", (carpeta / "parcial.csv").string()});
    EXPECT_EQ(r.estado, kDetenido);
    EXPECT_TRUE(Contiene(r.salida, "¡Atención! Falta algún Dato")) << r.salida;
    EXPECT_TRUE(Contiene(r.salida, "1002 (2º de Bachillerato)")) << r.salida;
    EXPECT_FALSE(Contiene(r.salida, "1001 ("));
    EXPECT_FALSE(Contiene(r.salida, "Proceso finalizado"));
    EXPECT_FALSE(r.errores.empty());
    EXPECT_EQ(Contenido(Datos()), antes);
    EXPECT_EQ(Preparaciones(Datos()), 0);
}

TEST_F(ExportarCliTest, ForzarSalidaDejaLosCursosQueFaltan) {
    EscribirArchivo(carpeta / "parcial.csv", "1002;BCT;2\n");
    const SalidaOrden r =
        Exportar({"--forzar-salida", "--niveles", (carpeta / "parcial.csv").string()});
    ASSERT_EQ(r.estado, kOk) << r.errores;
    EXPECT_TRUE(Contiene(r.salida, "¡Atención! Falta algún Dato"));
    EXPECT_TRUE(Contiene(r.salida, "Proceso finalizado"));
    EXPECT_TRUE(Contiene(r.salida, "Salida forzada"));
    EXPECT_EQ(Niveles(), (std::vector<std::string>{"/", "BCT/2"}));
}

TEST_F(ExportarCliTest, ElResumenCuentaLosRegistrosSaltados) {
    DocumentoSeneca doc;
    doc.Directo("ANNO_ACADEMICO", {"2024", "15/09/2024", "22/06/2025"})
        .Lista("CURSOS_DEL_CENTRO", {{"1001", "1º ESO"}, {"suelto"}, {"1002", "2º Bach"}})
        .Lista("TRAMOS_HORARIOS", {{"T1", "1ª", "480", "540"}});
    doc.Guardar(carpeta / "saltos.xml");
    const SalidaOrden r =
        Exportar({"--niveles", (carpeta / "niveles.csv").string()}, carpeta / "saltos.xml");
    ASSERT_EQ(r.estado, kOk) << r.errores;
    EXPECT_TRUE(Contiene(r.salida, "Bloque CURSOS_DEL_CENTRO: registros no leídos por tener "
                                   "menos de dos datos: nº 2\n"))
        << r.salida;
}

struct CasoEstado {
    std::string nombre;
    std::vector<std::string> args; // after "exportar"; DATOS and XML stand for the paths
    int estado;
    std::string enLaSalida; // expected in stdout
    std::string enErrores;  // expected in stderr
};

void PrintTo(const CasoEstado& caso, std::ostream* os) {
    *os << caso.nombre;
}

class EstadosCliTest : public ExportarCliTest, public ::testing::WithParamInterface<CasoEstado> {};

TEST_P(EstadosCliTest, CodigoDeSalida) {
    EscribirArchivo(carpeta / "mal.csv", "CLAVE;NIVEL;CURSO\n1001;ESO\n");
    EscribirArchivo(carpeta / "mal.xml", "<SERVICIO><BLOQUE_DATOS>");
    std::vector<std::string> args{"exportar"};
    for (std::string arg : GetParam().args) {
        if (arg == "DATOS")
            arg = Datos().string();
        else if (arg.find(".") != std::string::npos && !arg.starts_with("-"))
            arg = (carpeta / arg).string();
        args.push_back(arg);
    }
    const SalidaOrden r = EjecutarCli(args);
    EXPECT_EQ(r.estado, GetParam().estado) << r.salida << r.errores;
    EXPECT_TRUE(Contiene(r.salida, GetParam().enLaSalida)) << r.salida;
    EXPECT_TRUE(Contiene(r.errores, GetParam().enErrores)) << r.errores;
    if (GetParam().estado != kOk) {
        EXPECT_FALSE(fs::exists(Datos() / "PERIODOS.DBF"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EstadosCliTest,
    ::testing::ValuesIn(std::vector<CasoEstado>{
        {"Ayuda", {"--help"}, kOk, "--forzar-salida", ""},
        {"SinFichero", {"--datos", "DATOS"}, kUso, "", "Falta el fichero"},
        {"OpcionDesconocida", {"colegio.xml", "--rapido"}, kUso, "", "--rapido"},
        {"DatosSinValor", {"colegio.xml", "--datos"}, kUso, "", "--datos"},
        {"DosFicheros", {"colegio.xml", "otro.xml", "--datos", "DATOS"}, kUso, "", "otro.xml"},
        {"NoExisteArchivo",
         {"falta.xml", "--datos", "DATOS"},
         kNoExisteArchivo,
         "No existe archivo",
         ""},
        {"XmlRoto", {"mal.xml", "--datos", "DATOS"}, kError, "", "mal.xml"},
        {"NivelesMalFormados",
         {"colegio.xml", "--datos", "DATOS", "--niveles", "mal.csv"},
         kError,
         "",
         "mal.csv, línea 2"},
        {"NivelesQueNoExisten",
         {"colegio.xml", "--datos", "DATOS", "--niveles", "no.csv"},
         kError,
         "",
         "no.csv"},
    }),
    [](const auto& info) { return info.param.nombre; });

} // namespace
} // namespace belvaro::prueba
