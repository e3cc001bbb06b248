#include "cli/Comandos.h"

#include "app/CarpetaDatos.h"
#include "app/Error.h"
#include "cli/InterlocutorExportar.h"
#include "cli/ResumenExportar.h"
#include "export/TrabajoExportar.h"

#include <iostream>
#include <optional>
#include <unistd.h>

namespace belvaro::cli {

namespace {

constexpr const char* kAyudaExportar =
    R"(Uso: belvaro-cli exportar FICHERO.xml [--datos CARPETA] [--niveles NIVELES.csv] [--forzar-salida]

Lee el fichero de intercambio de Séneca y rehace las nueve tablas de Zeltora
(PERIODOS, CURSOST, ASIGNOMT, ASIGNOMT2, PROFT, AULAT, GRUPOST, ASIGT, DIASHORAST).
Las tablas nuevas se colocan todas a la vez al terminar; si el trabajo se detiene,
no cambia ninguna.

Opciones:
  --datos CARPETA        carpeta de las tablas (si no, BELVARO_ZTEMP o la de Wine).
  --niveles NIVELES.csv  NIVEL y CURSO de cada curso, en líneas CLAVE;NIVEL;CURSO
                         (UTF-8; la primera línea puede ser la cabecera CLAVE;NIVEL;CURSO).
  --forzar-salida        si falta algún NIVEL o CURSO, termina igualmente y deja esos
                         cursos sin completar (los datos quedarán INCOHERENTES).
  --help                 muestra esta ayuda.

Si falta algún NIVEL o CURSO y la entrada es un terminal, se preguntan los que faltan.
Sin terminal y sin --forzar-salida, se muestran los cursos incompletos y el trabajo
se detiene sin cambiar ninguna tabla.

Códigos de salida: 0 terminado, 1 error, 2 uso incorrecto, 3 no existe el archivo,
4 trabajo detenido.
)";

struct Orden {
    std::filesystem::path archivo;
    std::optional<std::filesystem::path> datos;
    std::optional<std::filesystem::path> niveles;
    bool forzarSalida = false;
    bool ayuda = false;
};

// Throws the text to show with the usage when the words are wrong.
Orden Analizar(const Argumentos& args) {
    Orden orden;
    bool conArchivo = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& palabra = args[i];
        auto valor = [&]() -> std::filesystem::path {
            if (i + 1 >= args.size())
                throw std::invalid_argument("Falta el valor de " + palabra + ".");
            return args[++i];
        };
        if (palabra == "--help" || palabra == "-h")
            orden.ayuda = true;
        else if (palabra == "--datos")
            orden.datos = valor();
        else if (palabra == "--niveles")
            orden.niveles = valor();
        else if (palabra == "--forzar-salida")
            orden.forzarSalida = true;
        else if (palabra.starts_with("-") && palabra != "-")
            throw std::invalid_argument("Opción desconocida: " + palabra + ".");
        else if (conArchivo)
            throw std::invalid_argument("Sobra " + palabra + ": se exporta un solo fichero.");
        else {
            orden.archivo = palabra;
            conArchivo = true;
        }
    }
    if (!conArchivo && !orden.ayuda)
        throw std::invalid_argument("Falta el fichero XML de Séneca.");
    return orden;
}

int Ejecutar(const Orden& orden) {
    InterlocutorExportar::Opciones opciones;
    opciones.archivo = orden.archivo;
    opciones.forzarSalida = orden.forzarSalida;
    opciones.terminal = ::isatty(STDIN_FILENO) == 1;
    if (orden.niveles)
        opciones.niveles = LeerNiveles(*orden.niveles);
    InterlocutorExportar interlocutor(std::move(opciones), std::cin, std::cout);

    const Configuracion configuracion{CarpetaZtemp(orden.datos), CarpetaEjecutable()};
    EstadoSesion sesion;
    InformeExportar informe;
    try {
        if (BExportarClick(sesion, configuracion, interlocutor, &informe) ==
            FinTrabajo::NoExisteArchivo)
            return kNoExisteArchivo;
    } catch (const TrabajoDetenido& e) {
        std::cout.flush();
        std::cerr << e.what() << '\n';
        return kDetenido;
    }
    EscribirResumen(informe, std::cout);
    return kOk;
}

} // namespace

int Exportar(const Argumentos& args) {
    Orden orden;
    try {
        orden = Analizar(args);
    } catch (const std::invalid_argument& e) {
        std::cerr << e.what() << "\n\n" << kAyudaExportar;
        return kUso;
    }
    if (orden.ayuda) {
        std::cout << kAyudaExportar;
        return kOk;
    }
    try {
        return Ejecutar(orden);
    } catch (const Error& e) {
        std::cout.flush();
        std::cerr << "Error: " << e.what() << '\n';
        return kError;
    }
}

} // namespace belvaro::cli
