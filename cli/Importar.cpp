#include "cli/Comandos.h"

#include "app/CarpetaDatos.h"
#include "app/Error.h"
#include "import/TrabajoImportar.h"

#include <iostream>
#include <optional>

namespace belvaro::cli {

namespace {

constexpr const char* kAyudaImportar =
    R"(Uso: belvaro-cli importar FICHERO.xml [--datos CARPETA]

Lee el horario terminado de Zeltora (la tabla SOLUC) junto con las tablas que
dejó "exportar" y escribe el XML de horarios regulares para Séneca junto al
fichero elegido, con el nombre "ResultadoZeltos" seguido del nombre de ese fichero.

  FICHERO.xml      el fichero de intercambio de Séneca del que salieron las tablas
  --datos CARPETA  carpeta de las tablas de Zeltora (si no, BELVARO_ZTEMP o la de Wine)
  --help           muestra esta ayuda

Códigos de salida: 0 terminado, 1 error, 2 uso incorrecto, 3 no existe el archivo,
5 falta PERIODOS.DBF.
)";

// Answers the job from the command line: the file given is the one chosen.
class InterlocutorImportar : public Interlocutor {
  public:
    explicit InterlocutorImportar(std::filesystem::path archivo) : archivo_(std::move(archivo)) {}

    std::optional<std::filesystem::path> ElegirArchivo(const std::filesystem::path&) override {
        return archivo_;
    }
    void Mensaje(const std::string& texto) override { std::cout << texto << "\n"; }
    void MostrarControlCursos(TurnoCursos&) override {
        throw Error("importar no pregunta por niveles ni cursos.");
    }

  private:
    std::filesystem::path archivo_;
};

struct OpcionesImportar {
    std::filesystem::path archivo;
    std::optional<std::filesystem::path> datos;
};

// Empty when the words are wrong (the reason already on stderr).
std::optional<OpcionesImportar> LeerOpciones(const Argumentos& args) {
    OpcionesImportar opciones;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--datos" && i + 1 < args.size()) {
            opciones.datos = args[++i];
        } else if (!args[i].empty() && args[i][0] != '-' && opciones.archivo.empty()) {
            opciones.archivo = args[i];
        } else {
            std::cerr << "importar: no se entiende \"" << args[i] << "\".\n\n" << kAyudaImportar;
            return std::nullopt;
        }
    }
    if (opciones.archivo.empty()) {
        std::cerr << "importar: falta el fichero de Séneca.\n\n" << kAyudaImportar;
        return std::nullopt;
    }
    return opciones;
}

void MostrarInforme(const InformeImportar& informe) {
    std::cout << "Fichero para Séneca: " << informe.salida.string() << "\n"
              << "Profesores: " << informe.profesores << "\n"
              << "Actividades escritas: " << informe.actividades << "\n";
    if (!informe.dudosas.empty()) {
        std::cout << "Actividades que Séneca probablemente rechazará (" << informe.dudosas.size()
                  << "):\n";
        for (const auto& d : informe.dudosas) {
            std::cout << "  profesor " << d.profesor << ", día " << d.dia << ", hora " << d.hora
                      << ", asignatura " << d.asignatura << ", grupo " << d.grupo << ": sin";
            for (const auto& falta : d.faltan)
                std::cout << " " << falta;
            std::cout << "\n";
        }
    }
    if (!informe.profesoresDesconocidos.empty()) {
        std::cout << "Profesores de SOLUC que no están en PROFT (sus clases no se escriben):";
        for (const auto& prof : informe.profesoresDesconocidos)
            std::cout << " \"" << prof << "\"";
        std::cout << "\n";
    }
}

} // namespace

int Importar(const Argumentos& args) {
    for (const auto& palabra : args)
        if (palabra == "--help" || palabra == "-h") {
            std::cout << kAyudaImportar;
            return kOk;
        }
    const auto opciones = LeerOpciones(args);
    if (!opciones)
        return kUso;

    EstadoSesion sesion;
    const Configuracion configuracion{CarpetaZtemp(opciones->datos), CarpetaEjecutable()};
    InterlocutorImportar interlocutor(opciones->archivo);
    InformeImportar informe;
    switch (BImportarClick(sesion, configuracion, interlocutor, &informe)) {
    case FinTrabajo::Terminado:
        MostrarInforme(informe);
        return kOk;
    case FinTrabajo::NoExisteArchivo:
        return kNoExisteArchivo;
    case FinTrabajo::PeriodosNoEncontrado:
        return kSinPeriodos;
    }
    return kError;
}

} // namespace belvaro::cli
