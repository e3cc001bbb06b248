// Jobs cut short: killed at every moment of their run, or stopped by a full disk at
// every size of file. After each, the tables are all old or all new (an interrupted
// commit is finished by the next run), and the result for Séneca is the earlier one
// or a whole new one.

#include "seneca/XmlDocument.h"
#include "tests/robustez/Escenario.h"
#include "tests/robustez/Huellas.h"
#include "tests/robustez/Proceso.h"
#include "tests/support/Apoyo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>

namespace belvaro::robustez {
namespace {

namespace fs = std::filesystem;
using prueba::EscribirArchivo;
using prueba::LeerArchivo;

// The sample with every "a" of its values turned into "e": the same school with other
// names, so that most tables differ from the ones it replaces.
std::string OtraVersionDelEjemplo() {
    std::string xml = LeerArchivo(Muestras() / "seneca-ejemplo.xml");
    bool enTexto = false;
    for (char& c : xml) {
        if (c == '>' || c == '<')
            enTexto = c == '>';
        else if (enTexto && c == 'a')
            c = 'e';
    }
    return xml;
}

std::map<std::string, std::string> HuellasTablas(const fs::path& datos) {
    std::map<std::string, std::string> huellas;
    const Huellas todas = TomarHuellas(datos);
    for (const auto& tabla : TablasExportadas(datos)) {
        const auto hallada = todas.find(tabla.filename().string());
        huellas[tabla.filename().string()] = hallada == todas.end() ? "" : hallada->second;
    }
    return huellas;
}

bool HayPreparacionCompleta(const fs::path& datos) {
    for (const auto& entrada : fs::directory_iterator(datos))
        if (entrada.path().filename().string().starts_with(".belvaro-exportar-") &&
            fs::exists(entrada.path() / "COMPLETA"))
            return true;
    return false;
}

int Preparaciones(const fs::path& datos) {
    return static_cast<int>(std::count_if(
        fs::directory_iterator(datos), fs::directory_iterator(), [](const auto& entrada) {
            return entrada.path().filename().string().starts_with(".belvaro-exportar-");
        }));
}

// Moments to kill a run that lasts about `duracion`: first spread over the whole run,
// then packed around the moment its effect appears (the first half of `cortes` tells
// where, through `llegoAlFinal`). Most of a short run is the program starting, so the
// second half is what reaches the commit.
template <typename Probar>
void CortarEnTodoMomento(std::chrono::microseconds duracion, int cortes, Probar llegoAlFinal) {
    using std::chrono::microseconds;
    microseconds ultimoSin{0}, primeroCon = duracion * 2;
    const int repartidos = cortes / 2;
    for (int i = 0; i < repartidos; ++i) {
        const microseconds momento = duracion * 13 * (i + 1) / (10 * repartidos);
        if (llegoAlFinal(momento))
            primeroCon = std::min(primeroCon, momento);
        else
            ultimoSin = std::max(ultimoSin, momento);
    }
    const microseconds desde = std::min(ultimoSin, primeroCon) - duracion / 10;
    const microseconds hasta = std::max(ultimoSin, primeroCon) + duracion / 10;
    for (int i = 0; i < cortes - repartidos; ++i)
        llegoAlFinal(
            std::max(microseconds{1}, desde + (hasta - desde) * i / (cortes - repartidos)));
}

enum class Estado { Viejas, Nuevas, Mezcla };

Estado Clasificar(const std::map<std::string, std::string>& ahora,
                  const std::map<std::string, std::string>& viejas,
                  const std::map<std::string, std::string>& nuevas, std::string& detalle) {
    int iguales = 0, cambiadas = 0;
    for (const auto& [tabla, huella] : ahora) {
        if (viejas.at(tabla) == nuevas.at(tabla))
            continue;
        if (huella == viejas.at(tabla))
            ++iguales;
        else if (huella == nuevas.at(tabla))
            ++cambiadas;
        else
            detalle += tabla + " no es ni la vieja ni la nueva\n";
    }
    if (cambiadas == 0)
        return Estado::Viejas;
    return iguales == 0 ? Estado::Nuevas : Estado::Mezcla;
}

TEST(Interrupciones, ExportacionMatadaEnCualquierMomento) {
    const std::string nuevo = OtraVersionDelEjemplo();
    std::map<std::string, std::string> viejas, nuevas;
    std::chrono::microseconds duracion{};
    {
        Escenario referencia;
        viejas = HuellasTablas(referencia.Datos());
        EscribirArchivo(referencia.Xml(), nuevo);
        const Resultado r = Ejecutar(ProgramaCli(), referencia.Exportar());
        ASSERT_EQ(r.salida, 0) << r.Texto();
        duracion = r.duracion;
        nuevas = HuellasTablas(referencia.Datos());
    }
    int distintas = 0;
    for (const auto& [tabla, huella] : viejas)
        distintas += huella != nuevas.at(tabla);
    ASSERT_GE(distintas, 5) << "la otra versión del ejemplo apenas cambia las tablas";

    constexpr int kCortes = 60;
    std::map<Estado, int> vistos;
    int i = 0;
    CortarEnTodoMomento(duracion, kCortes, [&](std::chrono::microseconds momento) {
        ++i;
        Escenario e;
        EscribirArchivo(e.Xml(), nuevo);
        const Huellas resto = TomarHuellas(e.Entrada());
        Limites limites;
        limites.matarTras = momento;
        (void)Ejecutar(ProgramaCli(), e.Exportar(), limites);

        std::string detalle;
        const Estado estado = Clasificar(HuellasTablas(e.Datos()), viejas, nuevas, detalle);
        ++vistos[estado];
        EXPECT_EQ(detalle, "") << "corte " << i;
        if (estado == Estado::Mezcla) {
            EXPECT_TRUE(HayPreparacionCompleta(e.Datos()))
                << "corte " << i << ": tablas mezcladas sin nada que las complete";
        }

        const Resultado siguiente = Ejecutar(ProgramaCli(), e.Exportar());
        EXPECT_EQ(RuidoAjeno(siguiente), "") << "corte " << i;
        EXPECT_EQ(siguiente.salida, 0) << "corte " << i << "\n" << siguiente.Texto();
        EXPECT_EQ(HuellasTablas(e.Datos()), nuevas) << "corte " << i;
        EXPECT_EQ(Preparaciones(e.Datos()), 0) << "corte " << i;
        EXPECT_EQ(Diferencias(resto, TomarHuellas(e.Entrada())), "") << "corte " << i;
        return estado != Estado::Viejas;
    });
    std::cout << "[resumen] exportar matado " << kCortes << " veces en " << duracion.count()
              << " µs: " << vistos[Estado::Viejas] << " con las tablas viejas, "
              << vistos[Estado::Nuevas] << " con las nuevas, " << vistos[Estado::Mezcla]
              << " a medio colocar (completadas por la siguiente exportación)\n";
}

// A result file is whole: it loads as XML with the root Séneca expects.
bool ResultadoEntero(const fs::path& ruta) {
    try {
        XmlDocument doc;
        doc.load(ruta);
        return doc.documentElement().nombre() == "SERVICIO";
    } catch (const std::exception&) {
        return false;
    }
}

TEST(Interrupciones, ImportacionMatadaEnCualquierMomento) {
    std::chrono::microseconds duracion{};
    {
        Escenario referencia;
        const Resultado r = Ejecutar(ProgramaCli(), referencia.Importar());
        ASSERT_EQ(r.salida, 0) << r.Texto();
        duracion = r.duracion;
    }
    constexpr int kCortes = 40;
    int viejos = 0, nuevos = 0, i = 0;
    CortarEnTodoMomento(duracion, kCortes, [&](std::chrono::microseconds momento) {
        ++i;
        Escenario e;
        const std::string anterior = LeerArchivo(e.Resultado());
        const Huellas datos = TomarHuellas(e.Datos());
        Limites limites;
        limites.matarTras = momento;
        (void)Ejecutar(ProgramaCli(), e.Importar(), limites);

        const bool igual = LeerArchivo(e.Resultado()) == anterior;
        if (igual)
            ++viejos;
        else if (ResultadoEntero(e.Resultado()))
            ++nuevos;
        else
            ADD_FAILURE() << "corte " << i << ": el resultado quedó a medias";
        EXPECT_EQ(Diferencias(datos, TomarHuellas(e.Datos())), "") << "corte " << i;

        const Resultado siguiente = Ejecutar(ProgramaCli(), e.Importar());
        EXPECT_EQ(siguiente.salida, 0) << "corte " << i << "\n" << siguiente.Texto();
        EXPECT_TRUE(ResultadoEntero(e.Resultado())) << "corte " << i;
        return !igual;
    });
    std::cout << "[resumen] importar matado " << kCortes << " veces en " << duracion.count()
              << " µs: " << viejos << " con el resultado anterior, " << nuevos
              << " con el nuevo entero\n";
}

// Each file may grow only to `limite` bytes: every write of the job meets the wall at
// some size. Below the size it needs, the job stops and changes nothing.
TEST(Interrupciones, DiscoLlenoEnCadaTamanoDeArchivo) {
    int refusadas = 0;
    bool terminada = false;
    for (long long limite : {0LL, 32LL, 600LL, 2000LL, 8000LL, 20000LL, 40000LL, 80000LL, 160000LL,
                             400000LL, 1000000LL, 4000000LL}) {
        Escenario e;
        EscribirArchivo(e.Xml(), OtraVersionDelEjemplo());
        const Huellas antes = TomarHuellas(e.Raiz());
        Limites limites;
        limites.tamanoMaximoArchivo = limite;
        const Resultado r = Ejecutar(ProgramaCli(), e.Exportar(), limites);
        EXPECT_EQ(r.senal, 0) << "límite " << limite << "\n" << r.Texto();
        EXPECT_EQ(RuidoAjeno(r), "") << "límite " << limite;
        if (r.salida == 0) {
            terminada = true;
            EXPECT_EQ(Preparaciones(e.Datos()), 0);
            break;
        }
        ++refusadas;
        EXPECT_EQ(r.salida, 1) << "límite " << limite << "\n" << r.Texto();
        EXPECT_NE(r.errores.find("Error: "), std::string::npos) << r.Texto();
        EXPECT_EQ(Diferencias(antes, TomarHuellas(e.Raiz())), "") << "límite " << limite;
        std::cout << "[resumen] disco lleno a " << limite << " bytes: " << r.errores;
    }
    EXPECT_TRUE(terminada) << "ni con 4 MB por archivo terminó la exportación";
    EXPECT_GE(refusadas, 3);
}

} // namespace
} // namespace belvaro::robustez

namespace belvaro::robustez {
namespace {

// An export killed while renaming its tables into place leaves some new tables in the
// data folder and the rest in its complete staging folder. Whatever runs next must not
// read that mix: the import first finishes putting the new tables in place.
TEST(Interrupciones, ImportarTrasUnaColocacionAMedias) {
    Escenario nuevo;
    EscribirArchivo(nuevo.Xml(), OtraVersionDelEjemplo());
    ASSERT_EQ(Ejecutar(ProgramaCli(), nuevo.Exportar()).salida, 0);
    const auto nuevas = HuellasTablas(nuevo.Datos());

    Escenario e;
    const fs::path preparacion = e.Datos() / ".belvaro-exportar-cortad";
    fs::create_directory(preparacion);
    std::string marca;
    int movidas = 0;
    for (const auto& tabla : TablasExportadas(nuevo.Datos())) {
        const std::string nombre = tabla.filename().string();
        marca += tabla.stem().string() + "\n";
        // The first four already renamed over the old ones, the rest still waiting.
        fs::copy_file(tabla, (movidas++ < 4 ? e.Datos() : preparacion) / nombre,
                      fs::copy_options::overwrite_existing);
    }
    EscribirArchivo(preparacion / "COMPLETA", marca);

    const Resultado r = Ejecutar(ProgramaCli(), e.Importar());
    std::cout << "[resumen] importar tras una colocación a medias: salida " << r.salida << "\n";
    EXPECT_EQ(r.salida, 0) << r.Texto();
    EXPECT_EQ(HuellasTablas(e.Datos()), nuevas) << "la importación leyó tablas mezcladas";
    EXPECT_EQ(Preparaciones(e.Datos()), 0);
}

} // namespace
} // namespace belvaro::robustez
