// Opens arbitrary bytes as a dBase table and reads every field of every record.

#include "app/Error.h"
#include "fuzz/ArchivoFuzz.h"
#include "tables/Tabla.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, std::size_t tamano) {
    using namespace belvaro;
    fuzz::EscribirEntrada("T.DBF", datos, tamano);
    try {
        Tabla tabla(fuzz::CarpetaFuzz(), "T");
        const auto campos = tabla.Campos();
        for (tabla.First(); !tabla.Eof(); tabla.Next()) {
            for (const auto& campo : campos) {
                auto valor = tabla.FieldByName(campo.nombre);
                (void)valor.AsString();
                try {
                    (void)valor.AsInteger();
                } catch (const Error&) {
                }
            }
        }
        if (!campos.empty())
            (void)tabla.Locate(campos.front().nombre, {"X"});
    } catch (const Error&) {
        // Damaged tables are refused with a message; that is the point.
    }
    return 0;
}
