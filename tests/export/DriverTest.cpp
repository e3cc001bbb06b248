#include "app/Error.h"
#include "app/Mensajes.h"
#include "tests/export/ExportacionCompleta.h"
#include "tests/export/OtroPrograma.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace belvaro::prueba {
namespace {

namespace fs = std::filesystem;

class DriverTest : public ::testing::Test, public ExportacionCompleta {
  protected:
    FinTrabajo Pulsar(InformeExportar* informe = nullptr) {
        return BExportarClick(sesion, configuracion, persona, informe);
    }

    // A first job that leaves the nine tables and an old index in the data folder.
    std::map<std::string, std::string> TablasAnteriores() {
        Elegir(ColegioPequeno());
        EXPECT_EQ(Pulsar(), FinTrabajo::Terminado);
        EscribirArchivo(Datos() / "CURSOST.MDX", "indice viejo");
        sesion = EstadoSesion{};
        persona.mensajes.clear();
        persona.cursor.clear();
        return Contenido(Datos());
    }
};

struct CasoCancelar {
    int modoAnfitrion;
    int transformado;
};

void PrintTo(const CasoCancelar& caso, std::ostream* os) {
    *os << "modo " << caso.modoAnfitrion;
}

class CancelarTest : public DriverTest, public ::testing::WithParamInterface<CasoCancelar> {};

TEST_P(CancelarTest, SinArchivoElegidoNoExisteArchivo) {
    sesion.ModoAnfitrion = GetParam().modoAnfitrion;
    persona.archivos.push_back(std::nullopt);
    EXPECT_EQ(BExportarClick(sesion, configuracion, persona), FinTrabajo::NoExisteArchivo);
    EXPECT_EQ(persona.mensajes, std::vector<std::string>{mensajes::kNoExisteArchivo});
    EXPECT_EQ(sesion.Transformado, GetParam().transformado);
    EXPECT_EQ(persona.carpetasIniciales, std::vector<fs::path>{Datos() / "seneca"});
    EXPECT_TRUE(persona.cursor.empty());
    EXPECT_FALSE(fs::exists(Datos()));
}

INSTANTIATE_TEST_SUITE_P(Modos, CancelarTest,
                         ::testing::Values(CasoCancelar{0, 0}, CasoCancelar{2, -1}));

TEST_F(DriverTest, ArchivoElegidoQueNoExiste) {
    persona.archivos.push_back(Datos() / "no-esta.xml");
    EXPECT_EQ(BExportarClick(sesion, configuracion, persona), FinTrabajo::NoExisteArchivo);
    EXPECT_EQ(sesion.ArchivoXML, Datos() / "no-esta.xml");
    EXPECT_EQ(persona.mensajes, std::vector<std::string>{mensajes::kNoExisteArchivo});
}

TEST_F(DriverTest, TrabajoCompletoCreaLaCarpetaYLasNueveTablas) {
    Elegir(ColegioPequeno());
    InformeExportar informe;
    EXPECT_EQ(Pulsar(&informe), FinTrabajo::Terminado);
    EXPECT_EQ(sesion.Transformado, 1);
    EXPECT_EQ(persona.mensajes, std::vector<std::string>{mensajes::kProcesoFinalizado});
    EXPECT_EQ(persona.cursor, (std::vector<bool>{true, false}));
    EXPECT_TRUE(fs::is_directory(Datos() / "seneca"));
    EXPECT_EQ(Preparaciones(Datos()), 0);
    ASSERT_EQ(informe.filasPorTabla.size(), kTablasExportadas.size());
    for (std::size_t i = 0; i < kTablasExportadas.size(); ++i) {
        const auto& [tabla, filas] = informe.filasPorTabla[i];
        EXPECT_EQ(tabla, kTablasExportadas[i]);
        EXPECT_EQ(Tabla(Datos(), tabla).RecordCount(), filas) << tabla;
    }
    EXPECT_EQ(informe.filasPorTabla[0].second, 1);  // PERIODOS
    EXPECT_EQ(informe.filasPorTabla[1].second, 2);  // CURSOST
    EXPECT_EQ(informe.filasPorTabla[8].second, 14); // DIASHORAST: two slots, seven days
    EXPECT_FALSE(informe.salidaForzada);
}

TEST_F(DriverTest, CancelarReutilizaElArchivoAnterior) {
    sesion.ArchivoXML = Elegir(ColegioPequeno());
    persona.archivos.back() = std::nullopt;
    EXPECT_EQ(BExportarClick(sesion, configuracion, persona), FinTrabajo::Terminado);
    EXPECT_EQ(sesion.Transformado, 1);
    EXPECT_TRUE(ExisteTabla(Datos(), "PERIODOS"));
}

TEST_F(DriverTest, SalidaForzadaDejaTerminarLosDemasPasos) {
    int turnos = 0;
    persona.turno = [&turnos](TurnoCursos& turno) {
        if (++turnos == 1)
            turno.BitBtn1Click(); // nothing filled in
        else
            turno.BitBtn2Click();
    };
    Elegir(ColegioPequeno());
    InformeExportar informe;
    EXPECT_EQ(Pulsar(&informe), FinTrabajo::Terminado);
    EXPECT_EQ(turnos, 2);
    EXPECT_EQ(persona.ventanasCerradas, 1);
    EXPECT_TRUE(informe.salidaForzada);
    EXPECT_EQ(sesion.Transformado, 1);
    for (const std::string& tabla : kTablasExportadas)
        EXPECT_TRUE(ExisteTabla(Datos(), tabla)) << tabla;
    EXPECT_EQ(Tabla(Datos(), "GRUPOST").RecordCount(), 3);
    Tabla cursos(Datos(), "CURSOST");
    cursos.First();
    EXPECT_EQ(cursos.FieldByName("NIVEL").AsString(), "");
}

TEST_F(DriverTest, UnSegundoTrabajoDaLasMismasTablas) {
    Elegir(ColegioPequeno());
    ASSERT_EQ(Pulsar(), FinTrabajo::Terminado);
    const auto primero = Contenido(Datos());
    fs::remove_all(Datos());
    Elegir(ColegioPequeno(), "b.xml");
    ASSERT_EQ(Pulsar(), FinTrabajo::Terminado);
    EXPECT_EQ(Contenido(Datos()), primero);
    EXPECT_EQ(primero.size(), kTablasExportadas.size());
}

TEST_F(DriverTest, SinCatalogoNoSeTocaNada) {
    fs::remove(RutaTabla(configuracion.carpetaEjecutable, "SENEMATERIAS"));
    Elegir(ColegioPequeno());
    try {
        Pulsar();
        ADD_FAILURE() << "sin catálogo el trabajo no debe terminar";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("SENEMATERIAS.DBF"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(Datos()));
    EXPECT_EQ(sesion.Transformado, 0);
    EXPECT_EQ(persona.cursor, (std::vector<bool>{true, false}));
    EXPECT_TRUE(persona.mensajes.empty());
}

TEST_F(DriverTest, ElCatalogoSeEncuentraSinMirarMayusculas) {
    const fs::path catalogo = RutaTabla(configuracion.carpetaEjecutable, "SENEMATERIAS");
    fs::rename(catalogo, catalogo.parent_path() / "SeneMaterias.dbf");
    Elegir(ColegioPequeno());
    EXPECT_EQ(Pulsar(), FinTrabajo::Terminado);
}

struct CasoDocumento {
    std::string nombre;
    std::string contenido;
};

void PrintTo(const CasoDocumento& caso, std::ostream* os) {
    *os << caso.nombre;
}

class DocumentoInvalidoTest : public DriverTest,
                              public ::testing::WithParamInterface<CasoDocumento> {};

TEST_P(DocumentoInvalidoTest, NingunaTablaCambia) {
    const auto antes = TablasAnteriores();
    const fs::path archivo = Datos() / "seneca" / "malo.xml";
    EscribirArchivo(archivo, GetParam().contenido);
    persona.archivos.push_back(archivo);
    try {
        Pulsar();
        ADD_FAILURE() << "el documento no debe aceptarse";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("malo.xml"), std::string::npos) << e.what();
    }
    EXPECT_EQ(Contenido(Datos()), antes);
    EXPECT_EQ(sesion.Transformado, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DocumentoInvalidoTest,
    ::testing::ValuesIn(std::vector<CasoDocumento>{
        {"NoEsXml", "esto no es XML <"},
        {"SinBloqueDeDatos", "<?xml version=\"1.0\"?><SERVICIO><OTRO/></SERVICIO>"},
        {"SinBloques", "<SERVICIO><BLOQUE_DATOS></BLOQUE_DATOS></SERVICIO>"},
        {"PrimerBloqueSinAnno",
         DocumentoSeneca().Lista("CURSOS_DEL_CENTRO", {{"1001", "1º"}}).Xml()},
        {"PrimerBloqueConUnDato", DocumentoSeneca().Directo("ANNO_ACADEMICO", {"2024"}).Xml()},
    }),
    [](const auto& info) { return info.param.nombre; });

TEST_F(DriverTest, UnFalloEnElUltimoPasoNoCambiaNada) {
    const auto antes = TablasAnteriores();
    Elegir(ColegioPequeno("8h00"), "malo.xml");
    EXPECT_THROW(Pulsar(), Error);
    EXPECT_EQ(Contenido(Datos()), antes);
    EXPECT_EQ(Preparaciones(Datos()), 0);
    EXPECT_EQ(persona.cursor, (std::vector<bool>{true, false}));
    EXPECT_EQ(sesion.Transformado, 0);
}

TEST_F(DriverTest, LaPersonaDetieneElTrabajoYNadaCambia) {
    const auto antes = TablasAnteriores();
    persona.turno = [](TurnoCursos&) { throw TrabajoDetenido("detenido"); };
    Elegir(ColegioPequeno());
    EXPECT_THROW(Pulsar(), TrabajoDetenido);
    EXPECT_EQ(Contenido(Datos()), antes);
    EXPECT_EQ(Preparaciones(Datos()), 0);
}

struct CasoAbierta {
    std::string archivo;
    OtroPrograma::Como como;
    std::string tabla; // named in the message
};

void PrintTo(const CasoAbierta& caso, std::ostream* os) {
    *os << caso.archivo;
}

class TablaAbiertaTest : public DriverTest, public ::testing::WithParamInterface<CasoAbierta> {};

TEST_P(TablaAbiertaTest, DetieneElTrabajoSinCambiarNada) {
    const auto antes = TablasAnteriores(); // with CURSOST.MDX
    OtroPrograma otro(Datos(), GetParam().archivo, GetParam().como);
    ASSERT_TRUE(otro.Abierta());
    Elegir(ColegioPequeno());
    try {
        Pulsar();
        ADD_FAILURE() << "no debe sustituirse lo que otro programa tiene abierto";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().tabla), std::string::npos) << e.what();
    }
    EXPECT_EQ(Contenido(Datos()), antes);
    EXPECT_EQ(Preparaciones(Datos()), 0);
    EXPECT_EQ(sesion.Transformado, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, TablaAbiertaTest,
    ::testing::Values(CasoAbierta{"GRUPOST", OtroPrograma::Como::Tabla, "GRUPOST"},
                      CasoAbierta{"CURSOST.MDX", OtroPrograma::Como::SoloArchivo, "CURSOST"}));

TEST_F(DriverTest, LosIndicesViejosSeBorranAlColocarLasTablas) {
    TablasAnteriores(); // leaves CURSOST.MDX
    EscribirArchivo(Datos() / "asigt.mdx", "otro indice viejo");
    Elegir(ColegioPequeno());
    EXPECT_EQ(Pulsar(), FinTrabajo::Terminado);
    EXPECT_FALSE(fs::exists(Datos() / "CURSOST.MDX"));
    EXPECT_FALSE(fs::exists(Datos() / "asigt.mdx"));
}

// Root writes anywhere, so there the attempt runs in a child as the user nobody.
TEST_F(DriverTest, CarpetaDeDatosDeSoloLectura) {
    const auto antes = TablasAnteriores();
    Elegir(ColegioPequeno());
    const bool root = ::geteuid() == 0;
    if (root)
        fs::permissions(Datos().parent_path(), fs::perms::others_read | fs::perms::others_exec,
                        fs::perm_options::add);
    else
        fs::permissions(Datos(), fs::perms::owner_write, fs::perm_options::remove);
    const pid_t hijo = ::fork();
    if (hijo == 0) {
        if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        try {
            Pulsar();
        } catch (const Error& e) {
            ::_exit(std::string(e.what()).find("no admite escritura") != std::string::npos ? 0 : 1);
        }
        ::_exit(2);
    }
    int estado = -1;
    ASSERT_EQ(::waitpid(hijo, &estado, 0), hijo);
    fs::permissions(Datos(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 0) << "1: otro mensaje, 2: terminó, 3: sin cambiar de usuario";
    EXPECT_EQ(Contenido(Datos()), antes);
}

} // namespace
} // namespace belvaro::prueba
