// Loads arbitrary bytes as a Séneca file and runs every reader over it.

#include "app/Error.h"
#include "fuzz/ArchivoFuzz.h"
#include "seneca/Seneca.h"
#include "seneca/XmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, std::size_t tamano) {
    using namespace belvaro;
    const auto ruta = fuzz::EscribirEntrada("entrada.xml", datos, tamano);
    try {
        XmlDocument doc;
        doc.load(ruta);
        InformeLectura informe;
        for (const char* bloque : {"MATERIAS", "UNIDADES", "TRAMOS_HORARIOS", "EMPLEADOS"}) {
            RecorrerBloque(doc, bloque, 5, informe, [](const RegistroSeneca& r) {
                for (int k = 0; k <= 5; ++k)
                    (void)r.valor(k);
            });
        }
        auto bloques = doc.selectNodes(kTodosLosBloques);
        for (int i = 0; i < 2; ++i)
            (void)DatosDe(bloques.item(i)).valor(2);
        (void)AnnoEscolar(doc, ruta.string());
        (void)doc.serializar();
    } catch (const Error&) {
        // A refused input is the expected outcome for most bytes.
    }
    return 0;
}
