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

    constexpr int kCortes = 40;
    std::map<Estado, int> vistos;
    for (int i = 0; i < kCortes; ++i) {
        Escenario e;
        EscribirArchivo(e.Xml(), nuevo);
        const Huellas resto = TomarHuellas(e.Entrada());
        Limites limites;
        limites.matarTras = duracion * (i + 1) / kCortes;
        const Resultado cortada = Ejecutar(ProgramaCli(), e.Exportar(), limites);

        std::string detalle;
        const Estado estado = Clasificar(HuellasTablas(e.Datos()), viejas, nuevas, detalle);
        ++vistos[estado];
        EXPECT_EQ(detalle, "") << "corte " << i;
        if (estado == Estado::Mezcla) {
            EXPECT_TRUE(HayPreparacionCompleta(e.Datos()))
                << "corte " << i << ": tablas mezcladas sin nada que las complete";
        }

        const Resultado siguiente = Ejecutar(ProgramaCli(), e.Exportar());
        EXPECT_EQ(siguiente.salida, 0) << "corte " << i << "\n" << siguiente.Texto();
        EXPECT_EQ(HuellasTablas(e.Datos()), nuevas) << "corte " << i;
        EXPECT_EQ(Preparaciones(e.Datos()), 0) << "corte " << i;
        EXPECT_EQ(Diferencias(resto, TomarHuellas(e.Entrada())), "") << "corte " << i;
        (void)cortada;
    }
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
    constexpr int kCortes = 30;
    int viejos = 0, nuevos = 0;
    for (int i = 0; i < kCortes; ++i) {
        Escenario e;
        const std::string anterior = LeerArchivo(e.Resultado());
        const Huellas datos = TomarHuellas(e.Datos());
        Limites limites;
        limites.matarTras = duracion * (i + 1) / kCortes;
        (void)Ejecutar(ProgramaCli(), e.Importar(), limites);

        const std::string ahora = LeerArchivo(e.Resultado());
        if (ahora == anterior)
            ++viejos;
        else if (ResultadoEntero(e.Resultado()))
            ++nuevos;
        else
            ADD_FAILURE() << "corte " << i << ": el resultado quedó a medias";
        EXPECT_EQ(Diferencias(datos, TomarHuellas(e.Datos())), "") << "corte " << i;

        const Resultado siguiente = Ejecutar(ProgramaCli(), e.Importar());
        EXPECT_EQ(siguiente.salida, 0) << "corte " << i << "\n" << siguiente.Texto();
        EXPECT_TRUE(ResultadoEntero(e.Resultado())) << "corte " << i;
    }
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
