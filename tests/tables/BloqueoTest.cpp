// Operating-system locks: a table held by another program cannot be opened against
// its access, nor replaced.

#include "ApoyoTablas.h"

#include "app/Error.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace belvaro::prueba {
namespace {

// A second process that holds the table open until this object goes away.
class OtroPrograma {
public:
    OtroPrograma(const std::filesystem::path& carpeta, const std::string& nombre, Acceso acceso) {
        int aviso[2];
        int fin[2];
        if (pipe(aviso) != 0 || pipe(fin) != 0)
            throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            close(aviso[0]);
            close(fin[1]);
            char c = '0';
            try {
                Tabla t(carpeta, nombre, acceso);
                c = '1';
                (void)!write(aviso[1], &c, 1);
                (void)!read(fin[0], &c, 1); // until the parent closes its end
            } catch (...) {
                (void)!write(aviso[1], &c, 1);
            }
            _exit(0);
        }
        close(aviso[1]);
        close(fin[0]);
        finalizar_ = fin[1];
        char c = '0';
        abierta_ = read(aviso[0], &c, 1) == 1 && c == '1';
        close(aviso[0]);
    }
    ~OtroPrograma() {
        close(finalizar_);
        int estado = 0;
        waitpid(pid_, &estado, 0);
    }
    OtroPrograma(const OtroPrograma&) = delete;
    OtroPrograma& operator=(const OtroPrograma&) = delete;
    bool Abierta() const { return abierta_; }

private:
    pid_t pid_ = -1;
    int finalizar_ = -1;
    bool abierta_ = false;
};

class Bloqueo : public testing::Test {
protected:
    void SetUp() override {
        CrearTabla(dir.ruta(), "SOLUC", {{"PROF", TipoCampo::Texto, 10}});
        Tabla t(dir.ruta(), "SOLUC", Acceso::Exclusivo);
        t.Append();
        t.FieldByName("PROF").SetAsString("JGL");
        t.Close();
    }
    CarpetaTemporal dir;
};

TEST_F(Bloqueo, TablaExclusivaDeOtroProgramaNoSeAbreNiSeReemplaza) {
    const auto antes = LeerArchivo(dir / "SOLUC.DBF");
    {
        OtroPrograma otro(dir.ruta(), "SOLUC", Acceso::Exclusivo);
        ASSERT_TRUE(otro.Abierta());
        for (auto acceso : {Acceso::Compartido, Acceso::Exclusivo}) {
            try {
                Tabla t(dir.ruta(), "soluc", acceso);
                FAIL() << "opened a table held by another process";
            } catch (const Error& e) {
                const std::string m = e.what();
                EXPECT_NE(m.find("La tabla SOLUC está abierta en otro programa"), std::string::npos)
                    << m;
                EXPECT_NE(m.find("ciérrelo y vuelva a intentarlo."), std::string::npos) << m;
            }
        }
        EXPECT_THROW(CrearTabla(dir.ruta(), "SOLUC", {{"OTRO", TipoCampo::Texto, 1}}), Error);
        EXPECT_EQ(LeerArchivo(dir / "SOLUC.DBF"), antes);
    }
    Tabla t(dir.ruta(), "SOLUC", Acceso::Exclusivo); // released when the other one ends
    EXPECT_EQ(t.FieldByName("PROF").AsString(), "JGL");
}

TEST_F(Bloqueo, TablaCompartidaDeOtroProgramaSoloSeAbreCompartida) {
    OtroPrograma otro(dir.ruta(), "SOLUC", Acceso::Compartido);
    ASSERT_TRUE(otro.Abierta());
    EXPECT_NO_THROW(Tabla(dir.ruta(), "SOLUC", Acceso::Compartido));
    EXPECT_THROW(Tabla(dir.ruta(), "SOLUC", Acceso::Exclusivo), Error);
}

TEST_F(Bloqueo, ElOtroProgramaTampocoAbreLaNuestra) {
    Tabla nuestra(dir.ruta(), "SOLUC", Acceso::Exclusivo);
    OtroPrograma otro(dir.ruta(), "SOLUC", Acceso::Compartido);
    EXPECT_FALSE(otro.Abierta());
}

struct Par {
    Acceso primero;
    Acceso segundo;
    bool convive;
};

class DosTablasDelMismoProceso : public Bloqueo, public testing::WithParamInterface<Par> {};

// Locks belong to each open table, not to the process.
TEST_P(DosTablasDelMismoProceso, RespetanElAcceso) {
    Tabla primera(dir.ruta(), "SOLUC", GetParam().primero);
    if (GetParam().convive)
        EXPECT_NO_THROW(Tabla(dir.ruta(), "SOLUC", GetParam().segundo));
    else
        EXPECT_THROW(Tabla(dir.ruta(), "SOLUC", GetParam().segundo), Error);
    primera.Close();
    EXPECT_NO_THROW(Tabla(dir.ruta(), "SOLUC", Acceso::Exclusivo));
}

INSTANTIATE_TEST_SUITE_P(Accesos, DosTablasDelMismoProceso,
                         testing::Values(Par{Acceso::Compartido, Acceso::Compartido, true},
                                         Par{Acceso::Compartido, Acceso::Exclusivo, false},
                                         Par{Acceso::Exclusivo, Acceso::Compartido, false},
                                         Par{Acceso::Exclusivo, Acceso::Exclusivo, false}));

TEST_F(Bloqueo, UnaTablaDeSoloLecturaSeAbreCompartidaPeroNoAdmiteCambios) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes read-only files";
    std::filesystem::permissions(dir / "SOLUC.DBF", std::filesystem::perms::owner_read);
    Tabla t(dir.ruta(), "SOLUC");
    EXPECT_EQ(t.FieldByName("PROF").AsString(), "JGL");
    EXPECT_THROW(t.Append(), Error);
    EXPECT_THROW(Tabla(dir.ruta(), "SOLUC", Acceso::Exclusivo), Error);
}

} // namespace
} // namespace belvaro::prueba
