// Reads arbitrary bytes as a levels file (CLAVE;NIVEL;CURSO lines).

#include "app/Error.h"
#include "cli/NivelesCursos.h"
#include "fuzz/ArchivoFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, std::size_t tamano) {
    using namespace belvaro;
    const auto ruta = fuzz::EscribirEntrada("niveles.csv", datos, tamano);
    try {
        const auto niveles = cli::LeerNiveles(ruta);
        for (const auto& [clave, valores] : niveles) {
            // What the reader accepts must fit the courses table's fields.
            if (clave.empty() || valores.nivel.size() > 5 || valores.curso.size() > 3)
                __builtin_trap();
        }
    } catch (const Error&) {
        // A malformed line is refused with its line number; that is the point.
    }
    return 0;
}
