// belvaro-cli importar: words, messages and exit statuses.

#include "cli/Comandos.h"
#include "tests/import/EscenarioImportar.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

#ifdef BELVARO_CLI

namespace belvaro::prueba {
namespace {

using ::testing::HasSubstr;

struct Resultado {
    int salida = -1;
    std::string texto; // stdout and stderr together
};

std::string Comillas(const std::string& palabra) {
    std::string r = "'";
    for (char c : palabra)
        r += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return r + "'";
}

Resultado Ejecutar(const std::vector<std::string>& palabras) {
    std::string orden = Comillas(BELVARO_CLI) + " importar";
    for (const auto& p : palabras)
        orden += " " + Comillas(p);
    orden += " 2>&1";
    Resultado r;
    FILE* tubo = popen(orden.c_str(), "r");
    if (tubo == nullptr)
        return r;
    char trozo[4096];
    while (std::size_t n = fread(trozo, 1, sizeof trozo, tubo))
        r.texto.append(trozo, n);
    const int estado = pclose(tubo);
    r.salida = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    return r;
}

struct CasoCli {
    std::string nombre;
    std::vector<std::string> palabras; // {archivo} and {datos} are replaced
    bool conPeriodos;
    int salida;
    std::vector<std::string> dice;
};

class CliImportarTest : public ::testing::TestWithParam<CasoCli> {};

TEST_P(CliImportarTest, SalidaYMensajes) {
    const auto& caso = GetParam();
    EscenarioImportar e;
    e.proft = {{"P1", "E1", ""}};
    e.soluc = {{"P1", "1", "1", "MAT", "ESO1A", "", "A1"},
               {"QQ", "1", "1", "MAT", "ESO1A", "", ""}};
    e.conPeriodos = caso.conPeriodos;
    e.Escribir();
    const std::string archivo = e.Seneca().string();
    std::vector<std::string> palabras;
    for (const auto& p : caso.palabras)
        palabras.push_back(p == "{archivo}" ? archivo
                           : p == "{datos}" ? e.carpeta.ruta().string()
                                            : p);
    const Resultado r = Ejecutar(palabras);
    EXPECT_EQ(r.salida, caso.salida) << r.texto;
    for (const auto& texto : caso.dice)
        EXPECT_THAT(r.texto, HasSubstr(texto == "{salida}" ? e.Salida().string() : texto));
}

const std::vector<CasoCli> kCasos = {
    {"Terminado",
     {"{archivo}", "--datos", "{datos}"},
     true,
     cli::kOk,
     {"Proceso finalizado", "{salida}", "Profesores: 1", "Actividades escritas: 1", "\"QQ\"",
      "X_TRAMO"}},
    {"SinPeriodos",
     {"{archivo}", "--datos", "{datos}"},
     false,
     cli::kSinPeriodos,
     {"ATENCIÓN - PERIODOS.DBF No encontrado - Importe de nuevo XML de SÉNECA."}},
    {"NoExisteArchivo",
     {"no-hay.xml", "--datos", "{datos}"},
     true,
     cli::kNoExisteArchivo,
     {"No existe archivo"}},
    {"Ayuda", {"--help"}, true, cli::kOk, {"Uso: belvaro-cli importar", "--datos"}},
    {"SinFichero", {"--datos", "{datos}"}, true, cli::kUso, {"falta el fichero"}},
    {"PalabraDeMas", {"{archivo}", "otro.xml"}, true, cli::kUso, {"otro.xml"}},
    {"DatosSinCarpeta", {"{archivo}", "--datos"}, true, cli::kUso, {"--datos"}},
};

INSTANTIATE_TEST_SUITE_P(Casos, CliImportarTest, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return info.param.nombre; });

} // namespace
} // namespace belvaro::prueba

#endif
