#include "app/Error.h"
#include "export/TrabajoExportar.h"
#include "export/TurnoCursos.h"
#include "seneca/CodePage.h"
#include "tables/Tabla.h"
#include "tests/support/Apoyo.h"

#include <gtest/gtest.h>

#include <memory>

namespace belvaro::prueba {
namespace {

using Filas = std::vector<std::vector<std::string>>;

const std::vector<std::string> kCamposCursos = {"ABREV", "TURNO", "NIVEL",
                                                "CURSO", "CLAVE", "ESTUD"};

// A person scripted showing by showing; records whether each one offered the forced exit.
struct Guion {
    using Turno = std::function<void(TurnoCursos&)>;
    explicit Guion(std::vector<Turno> porTurno) : turnos(std::move(porTurno)) {}
    std::vector<Turno> turnos;
    std::vector<bool> salidaOfrecida;
};

class CursosTest : public ::testing::Test {
  protected:
    TrabajoExportar& Trabajo(const DocumentoSeneca& doc) {
        doc.Guardar(carpeta / "entrada.xml");
        XmlDocument xml;
        xml.load(carpeta / "entrada.xml");
        trabajo = std::make_unique<TrabajoExportar>(std::move(xml), carpeta.ruta(),
                                                    carpeta / "SENEMATERIAS.DBF", persona);
        return *trabajo;
    }

    void Seguir(Guion& guion) {
        persona.turno = [&guion](TurnoCursos& turno) {
            guion.salidaOfrecida.push_back(turno.CursosIncompletos());
            guion.turnos.at(guion.salidaOfrecida.size() - 1)(turno);
        };
    }

    Filas Leer(const std::vector<std::string>& campos) {
        Tabla cursos(carpeta.ruta(), "CURSOST");
        Filas filas;
        for (cursos.First(); !cursos.Eof(); cursos.Next()) {
            auto& fila = filas.emplace_back();
            for (const auto& campo : campos)
                fila.push_back(cursos.FieldByName(campo).AsString());
        }
        return filas;
    }

    CarpetaTemporal carpeta;
    InterlocutorPrueba persona;
    std::unique_ptr<TrabajoExportar> trabajo;
};

DocumentoSeneca DosCursos() {
    return DocumentoSeneca().Lista("CURSOS_DEL_CENTRO",
                                   {{"1001", "1º ESO"}, {"1002", "2º Bachillerato"}});
}

void Poner(Tabla& cursos, const std::string& clave, const std::string& nivel,
           const std::string& curso) {
    ASSERT_TRUE(cursos.Locate("CLAVE", {clave}));
    cursos.Edit();
    cursos.FieldByName("NIVEL").SetAsString(nivel);
    cursos.FieldByName("CURSO").SetAsString(curso);
    cursos.Post();
}

void Completar(TurnoCursos& turno) {
    Poner(turno.Cursos(), "1001", "ESO", "1");
    Poner(turno.Cursos(), "1002", "BCT", "2");
    turno.BitBtn1Click();
}

void SoloElPrimero(TurnoCursos& turno) {
    Poner(turno.Cursos(), "1001", "ESO", "1");
    turno.BitBtn1Click();
}

TEST_F(CursosTest, UnaFilaPorRegistroRecortadaYCortada) {
    Trabajo(DocumentoSeneca().Lista("CURSOS_DEL_CENTRO", {{"  1001 ", "  1º de ESO  "},
                                                          {"solo"},
                                                          {"123456789012", std::string(85, 'x')},
                                                          {"1001", "repetido", "otro"}}))
        .CrearCursos();
    Tabla cursos(carpeta.ruta(), "CURSOST");
    std::vector<std::string> nombres;
    std::vector<int> anchos;
    for (const InfoCampo& campo : cursos.Campos()) {
        nombres.push_back(campo.nombre);
        anchos.push_back(campo.tipo == 'C' ? campo.ancho : -1);
    }
    cursos.Close();
    EXPECT_EQ(nombres, kCamposCursos);
    EXPECT_EQ(anchos, (std::vector<int>{3, 1, 5, 3, 10, 80}));
    EXPECT_EQ(Leer(kCamposCursos), (Filas{{"", "", "", "", "1001", Utf8AAnsi("1º de ESO")},
                                          {"", "", "", "", "1234567890", std::string(80, 'x')},
                                          {"", "", "", "", "1001", "repetido"}}));
    EXPECT_EQ(trabajo->informe.lectura.bloques.at("CURSOS_DEL_CENTRO").saltados, std::set<int>{1});
}

TEST_F(CursosTest, BloqueAusenteDaTablaVaciaYLaComprobacionPasa) {
    Guion guion{{[](TurnoCursos& t) { EXPECT_FALSE(t.BitBtn1Click()); }}};
    Seguir(guion);
    Trabajo(DocumentoSeneca().Directo("ANNO_ACADEMICO", {"2024", "a", "b"})).CrearCursos();
    EXPECT_EQ(persona.turnos, 1);
    EXPECT_TRUE(Leer({"CLAVE"}).empty());
    EXPECT_FALSE(trabajo->CursosIncompletos);
}

TEST_F(CursosTest, CompletoEnElPrimerTurno) {
    Guion guion{{Completar}};
    Seguir(guion);
    Trabajo(DosCursos()).CrearCursos();
    EXPECT_EQ(guion.salidaOfrecida, std::vector<bool>{false});
    EXPECT_FALSE(trabajo->CursosIncompletos);
    EXPECT_FALSE(trabajo->informe.salidaForzada);
    EXPECT_EQ(persona.ventanasCerradas, 0);
    EXPECT_EQ(Leer({"CLAVE", "NIVEL", "CURSO"}),
              (Filas{{"1001", "ESO", "1"}, {"1002", "BCT", "2"}}));
}

TEST_F(CursosTest, DosVecesIncompletoYLuegoCompleto) {
    Guion guion{{SoloElPrimero, SoloElPrimero, Completar}};
    Seguir(guion);
    Trabajo(DosCursos()).CrearCursos();
    EXPECT_EQ(guion.salidaOfrecida, (std::vector<bool>{false, true, true}));
    EXPECT_TRUE(trabajo->CursosIncompletos);
    EXPECT_FALSE(trabajo->informe.salidaForzada);
    EXPECT_EQ(persona.ventanasCerradas, 0);
}

TEST_F(CursosTest, SalidaForzadaEnElSegundoTurno) {
    Guion guion{{SoloElPrimero, [](TurnoCursos& t) {
                     t.BitBtn2Click();
                     EXPECT_FALSE(t.Incompleto);
                     EXPECT_EQ(t.Salida, "fuera");
                     EXPECT_THROW(t.Cursos(), Error); // the table is closed
                 }}};
    Seguir(guion);
    Trabajo(DosCursos()).CrearCursos();
    EXPECT_EQ(persona.turnos, 2);
    EXPECT_EQ(persona.ventanasCerradas, 1);
    EXPECT_TRUE(trabajo->informe.salidaForzada);
    EXPECT_EQ(Leer({"CLAVE", "NIVEL", "CURSO"}), (Filas{{"1001", "ESO", "1"}, {"1002", "", ""}}));
}

TEST_F(CursosTest, CierreSinBotonTerminaLosTurnosYGuardaLoEscrito) {
    Guion guion{{[](TurnoCursos& t) {
        Tabla& cursos = t.Cursos();
        cursos.First();
        cursos.Edit();
        cursos.FieldByName("NIVEL").SetAsString("ESO");
    }}};
    Seguir(guion);
    Trabajo(DosCursos()).CrearCursos();
    EXPECT_EQ(persona.turnos, 1);
    EXPECT_FALSE(trabajo->CursosIncompletos);
    EXPECT_EQ(persona.ventanasCerradas, 0);
    EXPECT_EQ(Leer({"NIVEL"}), (Filas{{"ESO"}, {""}}));
}

TEST_F(CursosTest, LaPersonaAbandonaElTrabajo) {
    persona.turno = [](TurnoCursos&) { throw TrabajoDetenido("abandonado"); };
    EXPECT_THROW(Trabajo(DosCursos()).CrearCursos(), TrabajoDetenido);
    // The turn's table was released: it opens exclusively again.
    EXPECT_NO_THROW(Tabla(carpeta.ruta(), "CURSOST", Acceso::Exclusivo));
}

TEST_F(CursosTest, LaComprobacionVeLoQueSeEscribioSinGuardar) {
    Guion guion{{[](TurnoCursos& t) {
        Tabla& cursos = t.Cursos();
        for (cursos.First(); !cursos.Eof(); cursos.Next()) {
            cursos.Edit();
            cursos.FieldByName("NIVEL").SetAsString("ESO");
            cursos.FieldByName("CURSO").SetAsString("1");
            if (cursos.RecNo() == 1)
                cursos.Post();
        }
        EXPECT_FALSE(t.BitBtn1Click());
    }}};
    Seguir(guion);
    Trabajo(DosCursos()).CrearCursos();
    EXPECT_EQ(persona.turnos, 1);
    EXPECT_EQ(Leer({"NIVEL", "CURSO"}), (Filas{{"ESO", "1"}, {"ESO", "1"}}));
}

// The finish button's rule, over a table of NIVEL/CURSO pairs.
struct CasoComprobacion {
    std::string nombre;
    std::vector<std::pair<std::string, std::string>> filas;
    bool incompleto;
};

void PrintTo(const CasoComprobacion& caso, std::ostream* os) {
    *os << caso.nombre;
}

class ComprobacionTest : public ::testing::TestWithParam<CasoComprobacion> {};

TEST_P(ComprobacionTest, BitBtn1Click) {
    CarpetaTemporal carpeta;
    CrearTabla(carpeta.ruta(), "CURSOST",
               {{"NIVEL", TipoCampo::Texto, 5}, {"CURSO", TipoCampo::Texto, 3}});
    {
        Tabla cursos(carpeta.ruta(), "CURSOST");
        for (const auto& [nivel, curso] : GetParam().filas) {
            cursos.Append();
            cursos.FieldByName("NIVEL").SetAsString(nivel);
            cursos.FieldByName("CURSO").SetAsString(curso);
            cursos.Post();
        }
        cursos.Close();
    }
    TurnoCursos turno(carpeta.ruta(), false);
    EXPECT_EQ(turno.BitBtn1Click(), GetParam().incompleto);
    EXPECT_EQ(turno.Incompleto, GetParam().incompleto);
    EXPECT_EQ(turno.Salida, "");
    EXPECT_THROW(turno.Cursos(), Error); // closed by the check
}

std::vector<std::pair<std::string, std::string>> Diez(int incompleta) {
    std::vector<std::pair<std::string, std::string>> filas(10, {"ESO", "1"});
    filas[static_cast<std::size_t>(incompleta)].second = " ";
    return filas;
}

INSTANTIATE_TEST_SUITE_P(Casos, ComprobacionTest,
                         ::testing::ValuesIn(std::vector<CasoComprobacion>{
                             {"SinFilas", {}, false},
                             {"Completas", {{"ESO", "1"}, {"BCT", "2"}}, false},
                             {"NivelDeEspacios", {{"ESO", "1"}, {"   ", "2"}}, true},
                             {"CursoDeControles", {{"ESO", "\t\x01\x1f"}}, true},
                             {"NivelSoloConCodigo32", {{"\x20\x0d", "1"}}, true},
                             {"ValorRodeadoDeControles",
                              {{"\tE\x01", "\x02"
                                           "1 "}},
                              false},
                             {"EspacioDuroCuentaComoValor", {{"\xA0", "1"}}, false},
                             {"PrimeraDeDiezIncompleta", Diez(0), true},
                             {"UltimaDeDiezIncompleta", Diez(9), true},
                         }),
                         [](const auto& info) { return info.param.nombre; });

} // namespace
} // namespace belvaro::prueba
