// CrearTabla: exactly the fields asked for, refused definitions, and a table that
// appears under its name only when complete.

#include "ApoyoTablas.h"

#include "app/Error.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace belvaro::prueba {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Archivos(const fs::path& carpeta) {
    std::vector<std::string> nombres;
    for (const auto& e : fs::directory_iterator(carpeta))
        nombres.push_back(e.path().filename().string());
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

TEST(Creacion, CamposEnSuOrdenConSuTipoYAncho) {
    CarpetaTemporal dir;
    CrearTabla(dir.ruta(), "ASIGT",
               {{"CASIG", TipoCampo::Texto, 10},
                {"DNI", TipoCampo::Entero, 0},
                {"ESTAREA", TipoCampo::Logico, 0},
                {"HORAS", TipoCampo::Flotante, 0},
                {"ESTUD", TipoCampo::Texto, 254}});
    Tabla t(dir.ruta(), "ASIGT");
    std::vector<std::tuple<std::string, char, int, int>> vistos;
    for (const auto& c : t.Campos())
        vistos.emplace_back(c.nombre, c.tipo, c.ancho, c.decimales);
    EXPECT_EQ(vistos,
              (std::vector<std::tuple<std::string, char, int, int>>{{"CASIG", 'C', 10, 0},
                                                                    {"DNI", 'N', 11, 0},
                                                                    {"ESTAREA", 'L', 1, 0},
                                                                    {"HORAS", 'N', 20, 4},
                                                                    {"ESTUD", 'C', 254, 0}}));
    EXPECT_EQ(t.RecordCount(), 0);
    EXPECT_EQ(Archivos(dir.ruta()), std::vector<std::string>{"ASIGT.DBF"});
}

TEST(Creacion, ReemplazaLaTablaAnterior) {
    CarpetaTemporal dir;
    CrearTabla(dir.ruta(), "T", {{"VIEJO", TipoCampo::Texto, 5}});
    {
        Tabla t(dir.ruta(), "T", Acceso::Exclusivo);
        t.Append();
        t.FieldByName("VIEJO").SetAsString("x");
        t.Close();
    }
    CrearTabla(dir.ruta(), "t", {{"NUEVO", TipoCampo::Texto, 3}});
    Tabla t(dir.ruta(), "T");
    EXPECT_EQ(t.RecordCount(), 0);
    EXPECT_TRUE(t.TieneCampo("NUEVO"));
    EXPECT_FALSE(t.TieneCampo("VIEJO"));
    EXPECT_EQ(Archivos(dir.ruta()), std::vector<std::string>{"T.DBF"});
}

struct Definicion {
    const char* caso;
    std::vector<DefCampo> campos;
};

std::ostream& operator<<(std::ostream& os, const Definicion& d) {
    return os << d.caso;
}

class DefinicionRechazada : public testing::TestWithParam<Definicion> {};

TEST_P(DefinicionRechazada, EsErrorYDejaLaTablaAnterior) {
    CarpetaTemporal dir;
    CrearTabla(dir.ruta(), "PRUEBA", {{"BUENO", TipoCampo::Texto, 5}});
    const auto antes = LeerArchivo(dir / "PRUEBA.DBF");
    try {
        CrearTabla(dir.ruta(), "PRUEBA", GetParam().campos);
        FAIL();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("PRUEBA"), std::string::npos) << e.what();
    }
    EXPECT_EQ(LeerArchivo(dir / "PRUEBA.DBF"), antes);
    EXPECT_EQ(Archivos(dir.ruta()), std::vector<std::string>{"PRUEBA.DBF"});
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DefinicionRechazada,
    testing::Values(
        Definicion{"sin_campos", {}}, Definicion{"ancho_cero", {{"A", TipoCampo::Texto, 0}}},
        Definicion{"ancho_255", {{"A", TipoCampo::Texto, 255}}},
        Definicion{"nombre_vacio", {{"", TipoCampo::Entero, 0}}},
        Definicion{"nombre_con_blanco", {{"MI CAMPO", TipoCampo::Entero, 0}}},
        Definicion{"repetido_al_cortar",
                   {{"OFERTAMATRI", TipoCampo::Texto, 5}, {"OFERTAMATRO", TipoCampo::Texto, 5}}},
        Definicion{"repetido_sin_mayusculas",
                   {{"COD", TipoCampo::Texto, 5}, {"cod", TipoCampo::Texto, 5}}}),
    [](const auto& info) { return std::string(info.param.caso); });

TEST(Creacion, CarpetaAusenteEsError) {
    CarpetaTemporal dir;
    EXPECT_THROW(CrearTabla(dir / "ZTEMP", "T", {{"A", TipoCampo::Texto, 1}}), Error);
}

// A process killed while it recreates the table over and over never leaves a
// half-written file under the table's name: what is there always opens whole.
TEST(Creacion, MatarAMitadNuncaDejaUnaTablaAMedias) {
    CarpetaTemporal dir;
    std::vector<DefCampo> muchos;
    for (int i = 0; i < 200; ++i)
        muchos.push_back({"C" + std::to_string(i), TipoCampo::Texto, 10});
    for (int vuelta = 0; vuelta < 6; ++vuelta) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            try {
                for (;;)
                    CrearTabla(dir.ruta(), "T", muchos);
            } catch (...) {
            }
            _exit(1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + 7 * vuelta));
        kill(pid, SIGKILL);
        int estado = 0;
        waitpid(pid, &estado, 0);
        ASSERT_TRUE(WIFSIGNALED(estado)) << "the child stopped on its own";
        if (fs::exists(dir / "T.DBF")) {
            Tabla t(dir.ruta(), "T");
            EXPECT_EQ(t.Campos().size(), muchos.size());
        }
    }
}

} // namespace
} // namespace belvaro::prueba
