#include "cli/ResumenExportar.h"

#include <ostream>

namespace belvaro::cli {

namespace {

// Record numbers as a person counts them, from 1.
std::string Numeros(const std::set<int>& indices) {
    std::string texto;
    for (int indice : indices)
        texto += (texto.empty() ? "" : ", ") + std::to_string(indice + 1);
    return texto;
}

void Lista(const char* titulo, const std::vector<std::string>& elementos, std::ostream& salida) {
    if (elementos.empty())
        return;
    salida << titulo << " (" << elementos.size() << "):\n";
    for (const std::string& elemento : elementos)
        salida << "  " << elemento << '\n';
}

} // namespace

void EscribirResumen(const InformeExportar& informe, std::ostream& salida) {
    salida << "Filas por tabla:\n";
    for (const auto& [tabla, filas] : informe.filasPorTabla)
        salida << "  " << tabla << ": " << filas << '\n';
    for (const auto& [bloque, registros] : informe.lectura.bloques) {
        if (!registros.saltados.empty())
            salida << "Bloque " << bloque << ": registros no leídos por tener menos de dos "
                   << "datos: nº " << Numeros(registros.saltados) << '\n';
        if (!registros.incompletos.empty())
            salida << "Bloque " << bloque << ": registros a los que les falta algún dato "
                   << "(leído como vacío): nº " << Numeros(registros.incompletos) << '\n';
    }
    Lista("Materias sin ninguna asignación", informe.materiasSinAsignacion, salida);
    Lista("Unidades cuyo curso no está en CURSOST", informe.unidadesSinCurso, salida);
    if (informe.salidaForzada)
        salida << "Salida forzada: algún curso de CURSOST se ha quedado sin NIVEL o sin CURSO, "
                  "y los datos recogidos son INCOHERENTES.\n";
}

} // namespace belvaro::cli
