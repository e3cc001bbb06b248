// Writes the sample table that the interoperability check reads with other
// programs: every kind the jobs create, accented text, a cut text and an edited row.
//   tablas_muestra CARPETA

#include "app/Error.h"
#include "tables/Tabla.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace belvaro;
    if (argc != 2) {
        std::cerr << "Uso: tablas_muestra CARPETA\n";
        return 2;
    }
    try {
        CrearTabla(argv[1], "MUESTRA",
                   {{"NOMBRE", TipoCampo::Texto, 12},
                    {"OFERTAMATRI", TipoCampo::Texto, 20},
                    {"DNI", TipoCampo::Entero, 0},
                    {"HORAS", TipoCampo::Flotante, 0},
                    {"ESTAREA", TipoCampo::Logico, 0}});
        Tabla t(argv[1], "MUESTRA", Acceso::Exclusivo);
        struct Fila {
            const char* nombre;
            const char* oferta;
            long long dni;
            double horas;
            bool tarea;
        };
        for (const Fila& f : {Fila{"Educaci\xF3n F\xEDsica", "OF-1", 12345678, 4, false},
                              Fila{"Matem\xE1ticas Aplicadas", "OF-2", -7, 2.5, true},
                              Fila{"  Lat\xEDn", "", 0, 0.125, false}}) {
            t.Append();
            t.FieldByName("NOMBRE").SetAsString(f.nombre);
            t.FieldByName("OFERTAMATRI").SetAsString(f.oferta);
            t.FieldByName("DNI").SetAsInteger(f.dni);
            t.FieldByName("HORAS").SetAsFloat(f.horas);
            t.FieldByName("ESTAREA").SetAsBoolean(f.tarea);
            t.Post();
        }
        t.Append(); // a row left blank
        t.Post();
        t.First();
        t.Edit();
        t.FieldByName("DNI").SetAsInteger(2147483647);
        t.Close();
    } catch (const Error& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
