#include "app/Error.h"
#include "export/Preparacion.h"
#include "tests/export/ExportacionCompleta.h"
#include "tests/export/OtroPrograma.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <iostream>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace belvaro::prueba {
namespace {

namespace fs = std::filesystem;

using Archivos = std::map<std::string, std::string>;

// The nine tables as files whose bytes say which version they are.
Archivos Version(const std::string& version) {
    Archivos archivos;
    for (const std::string& tabla : kTablasExportadas)
        archivos[tabla + ".DBF"] = version + " " + tabla;
    return archivos;
}

void Escribir(const fs::path& carpeta, const Archivos& archivos) {
    fs::create_directories(carpeta);
    for (const auto& [nombre, bytes] : archivos)
        EscribirArchivo(carpeta / nombre, bytes);
}

void Recuperar(const fs::path& datos) {
    BloqueoExportacion bloqueo(datos);
    RecuperarPreparaciones(datos);
}

std::string Marca() {
    std::string marca;
    for (const std::string& tabla : kTablasExportadas)
        marca += tabla + "\n";
    return marca;
}

TEST(RecuperacionTest, UnaPreparacionIncompletaSeBorra) {
    CarpetaTemporal datos;
    Archivos viejas = Version("vieja");
    viejas["CURSOST.MDX"] = "indice";
    Escribir(datos.ruta(), viejas);
    Archivos a_medias = Version("nueva");
    a_medias.erase("DIASHORAST.DBF");
    Escribir(datos / ".belvaro-exportar-a1b2c3", a_medias);
    Recuperar(datos.ruta());
    EXPECT_EQ(Contenido(datos.ruta()), viejas);
    EXPECT_EQ(Preparaciones(datos.ruta()), 0);
}

TEST(RecuperacionTest, UnaPreparacionCompletaSeTerminaDeColocar) {
    CarpetaTemporal datos;
    Archivos viejas = Version("vieja");
    viejas["ASIGT.MDX"] = "indice";
    Escribir(datos.ruta(), viejas);
    const Archivos nuevas = Version("nueva");
    // Killed half-way: the first four are already in place.
    Archivos pendientes = nuevas;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string nombre = kTablasExportadas[i] + ".DBF";
        EscribirArchivo(datos / nombre, nuevas.at(nombre));
        pendientes.erase(nombre);
    }
    pendientes["COMPLETA"] = Marca();
    Escribir(datos / ".belvaro-exportar-d4e5f6", pendientes);
    Recuperar(datos.ruta());
    EXPECT_EQ(Contenido(datos.ruta()), nuevas);
    EXPECT_EQ(Preparaciones(datos.ruta()), 0);
}

TEST(RecuperacionTest, NoSustituyeUnaTablaAbiertaEnOtroPrograma) {
    CarpetaTemporal datos;
    Escribir(datos.ruta(), Version("vieja"));
    Archivos completa = Version("nueva");
    completa["COMPLETA"] = Marca();
    Escribir(datos / ".belvaro-exportar-g7h8i9", completa);
    {
        OtroPrograma otro(datos.ruta(), "PROFT", OtroPrograma::Como::SoloArchivo);
        ASSERT_TRUE(otro.Abierta());
        try {
            Recuperar(datos.ruta());
            ADD_FAILURE() << "PROFT está abierta en otro programa";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("PROFT"), std::string::npos) << e.what();
        }
        EXPECT_EQ(Preparaciones(datos.ruta()), 1);
    }
    Recuperar(datos.ruta());
    EXPECT_EQ(Contenido(datos.ruta()), Version("nueva"));
}

TEST(RecuperacionTest, SoloUnaExportacionALaVez) {
    CarpetaTemporal datos;
    BloqueoExportacion primera(datos.ruta());
    const pid_t hijo = ::fork();
    if (hijo == 0) {
        try {
            BloqueoExportacion segunda(datos.ruta());
        } catch (const Error&) {
            ::_exit(0);
        }
        ::_exit(1);
    }
    int estado = 0;
    ASSERT_EQ(::waitpid(hijo, &estado, 0), hijo);
    EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
}

// A job killed at random moments leaves, once the next job's recovery has run, either
// every old table or every new one.
TEST(InterrupcionTest, TodasViejasOTodasNuevas) {
    ExportacionCompleta vieja;
    vieja.Elegir(ColegioPequeno("470"), "vieja.xml");
    ASSERT_EQ(BExportarClick(vieja.sesion, vieja.configuracion, vieja.persona),
              FinTrabajo::Terminado);
    EscribirArchivo(vieja.Datos() / "CURSOST.MDX", "indice viejo");
    const Archivos viejas = Contenido(vieja.Datos());

    ExportacionCompleta nueva;
    const fs::path archivo = nueva.Elegir(ColegioPequeno());
    const auto inicio = std::chrono::steady_clock::now();
    ASSERT_EQ(BExportarClick(nueva.sesion, nueva.configuracion, nueva.persona),
              FinTrabajo::Terminado);
    const auto duracion = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - inicio);
    const Archivos nuevas = Contenido(nueva.Datos());
    ASSERT_NE(viejas, nuevas);

    std::mt19937 azar(20240915);
    std::uniform_int_distribution<long> espera(0, duracion.count() * 2 + 1000);
    int quedanViejas = 0, quedanNuevas = 0;
    for (int vez = 0; vez < 40; ++vez) {
        fs::remove_all(nueva.Datos());
        Escribir(nueva.Datos(), viejas);
        const pid_t hijo = ::fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            try {
                ExportarArchivo(archivo, nueva.configuracion, nueva.persona);
            } catch (const std::exception& e) {
                std::cerr << "Trabajo interrumpido: " << e.what() << '\n';
                ::_exit(1);
            }
            ::_exit(0);
        }
        ::usleep(static_cast<useconds_t>(espera(azar)));
        ::kill(hijo, SIGKILL);
        int estado = 0;
        ::waitpid(hijo, &estado, 0);
        ASSERT_FALSE(WIFEXITED(estado) && WEXITSTATUS(estado) != 0) << "el trabajo falló";

        Recuperar(nueva.Datos());
        EXPECT_EQ(Preparaciones(nueva.Datos()), 0);
        const Archivos ahora = Contenido(nueva.Datos());
        quedanViejas += ahora == viejas;
        quedanNuevas += ahora == nuevas;
        ASSERT_TRUE(ahora == viejas || ahora == nuevas) << "vez " << vez;
    }
    std::cout << "[          ] " << quedanViejas << " veces las viejas, " << quedanNuevas
              << " las nuevas\n";
}

} // namespace
} // namespace belvaro::prueba
