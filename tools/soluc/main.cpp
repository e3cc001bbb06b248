// belvaro-soluc --datos CARPETA [--semilla N]: writes a plausible SOLUC.DBF into the
// table folder from the tables the export left there.

#include "app/Error.h"
#include "tools/soluc/TablasSoluc.h"

#include <charconv>
#include <iostream>
#include <optional>

namespace {

constexpr const char* kUso =
    R"(Uso: belvaro-soluc --datos CARPETA [--semilla N]

Hace de programa de horarios: con las tablas que dejó "belvaro-cli exportar" en
CARPETA (ASIGT, DIASHORAST, PROFT, AULAT) coloca cada hora de cada asignación en
un tramo libre de lunes a viernes, sin que un profesor ni un grupo tengan dos clases
a la vez, y escribe CARPETA/SOLUC.DBF. Deja algunas clases sin colocar (DIA 0).
La misma semilla da siempre la misma solución (por omisión, 1).
)";

struct Opciones {
    std::string datos;
    std::uint64_t semilla = 1;
};

std::optional<Opciones> LeerOpciones(int argc, char** argv) {
    Opciones o;
    for (int i = 1; i < argc; ++i) {
        const std::string palabra = argv[i];
        if (palabra == "--datos" && i + 1 < argc) {
            o.datos = argv[++i];
        } else if (palabra == "--semilla" && i + 1 < argc) {
            const std::string valor = argv[++i];
            const auto [fin, error] =
                std::from_chars(valor.data(), valor.data() + valor.size(), o.semilla);
            if (error != std::errc() || fin != valor.data() + valor.size())
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (o.datos.empty())
        return std::nullopt;
    return o;
}

} // namespace

int main(int argc, char** argv) {
    using namespace belvaro::soluc;
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << kUso;
        return 0;
    }
    const auto opciones = LeerOpciones(argc, argv);
    if (!opciones) {
        std::cerr << kUso;
        return 2;
    }
    try {
        const Entrada entrada = LeerEntrada(opciones->datos);
        Azar azar(opciones->semilla);
        const int sinColocar = 1 + static_cast<int>(entrada.asignaciones.size() / 50);
        const auto lecciones = Colocar(entrada.asignaciones, entrada.tramos, entrada.profesores,
                                       entrada.aulas, sinColocar, azar);
        EscribirSoluc(opciones->datos, lecciones);
        int colocadas = 0;
        for (const auto& l : lecciones)
            colocadas += l.dia != 0;
        std::cout << "SOLUC.DBF: " << lecciones.size() << " clases, " << colocadas
                  << " colocadas y " << lecciones.size() - static_cast<std::size_t>(colocadas)
                  << " sin colocar.\n";
        return 0;
    } catch (const belvaro::Error& e) {
        std::cerr << "Error: " << e.what() << "\n";
        return 1;
    }
}
