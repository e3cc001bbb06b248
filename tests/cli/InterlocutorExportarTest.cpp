#include "cli/InterlocutorExportar.h"
#include "app/Error.h"
#include "export/TrabajoExportar.h"
#include "tables/Tabla.h"
#include "tests/support/Apoyo.h"

#include <gtest/gtest.h>

#include <sstream>

namespace belvaro::prueba {
namespace {

using cli::InterlocutorExportar;

// The courses step over two courses, answered by the command line's person.
class TurnosCliTest : public ::testing::Test {
  protected:
    void Ejecutar(InterlocutorExportar::Opciones opciones, const std::string& teclas) {
        DocumentoSeneca()
            .Lista("CURSOS_DEL_CENTRO", {{"1001", "1º ESO"}, {"1002", "2º Bachillerato"}})
            .Guardar(carpeta / "e.xml");
        XmlDocument doc;
        doc.load(carpeta / "e.xml");
        entrada.str(teclas);
        InterlocutorExportar persona(std::move(opciones), entrada, salida);
        trabajo = std::make_unique<TrabajoExportar>(std::move(doc), carpeta.ruta(),
                                                    carpeta / "SENEMATERIAS.DBF", persona);
        trabajo->CrearCursos();
    }

    std::vector<std::string> Niveles() {
        Tabla cursos(carpeta.ruta(), "CURSOST");
        std::vector<std::string> niveles;
        for (cursos.First(); !cursos.Eof(); cursos.Next())
            niveles.push_back(cursos.FieldByName("NIVEL").AsString() + "/" +
                              cursos.FieldByName("CURSO").AsString());
        return niveles;
    }

    static InterlocutorExportar::Opciones Terminal() {
        InterlocutorExportar::Opciones opciones;
        opciones.terminal = true;
        opciones.niveles["1001"] = {"ESO", ""};
        return opciones;
    }

    CarpetaTemporal carpeta;
    std::istringstream entrada;
    std::ostringstream salida;
    std::unique_ptr<TrabajoExportar> trabajo;
};

TEST_F(TurnosCliTest, EnElTerminalSePreguntaLoQueFalta) {
    // Turn 2: Enter to go on, then CURSO of 1001, NIVEL and CURSO of 1002.
    Ejecutar(Terminal(), "\n1\nBCT\n2\n");
    EXPECT_EQ(Niveles(), (std::vector<std::string>{"ESO/1", "BCT/2"}));
    EXPECT_TRUE(trabajo->CursosIncompletos);
    EXPECT_FALSE(trabajo->informe.salidaForzada);
    const std::string texto = salida.str();
    EXPECT_NE(texto.find("¡Atención! Falta algún Dato"), std::string::npos);
    EXPECT_NE(texto.find("Curso 1002 (2º Bachillerato)"), std::string::npos) << texto;
}

TEST_F(TurnosCliTest, IntroDejaVacioYSeVuelveAPreguntar) {
    // Turn 2 leaves everything empty; turn 3 completes it.
    Ejecutar(Terminal(), "\n\n\n\n\n1\nBCT\n2\n");
    EXPECT_EQ(Niveles(), (std::vector<std::string>{"ESO/1", "BCT/2"}));
}

TEST_F(TurnosCliTest, EnElTerminalSePuedeForzarLaSalida) {
    Ejecutar(Terminal(), "fuera\n");
    EXPECT_TRUE(trabajo->informe.salidaForzada);
    EXPECT_EQ(Niveles(), (std::vector<std::string>{"ESO/", "/"}));
}

TEST_F(TurnosCliTest, EntradaCerradaDetieneElTrabajo) {
    EXPECT_THROW(Ejecutar(Terminal(), "\n1\n"), TrabajoDetenido);
}

TEST_F(TurnosCliTest, UnValorVacioDelArchivoSePregunta) {
    // The file gives 1001 no NIVEL: turn 2 asks only for it.
    InterlocutorExportar::Opciones opciones = Terminal();
    opciones.niveles["1002"] = {"BCT", "2"};
    opciones.niveles["1001"] = {"", "1"};
    Ejecutar(opciones, "\nLS\n");
    EXPECT_EQ(Niveles(), (std::vector<std::string>{"LS/1", "BCT/2"}));
}

} // namespace
} // namespace belvaro::prueba
