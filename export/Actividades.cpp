#include "export/TrabajoExportar.h"

#include "tables/Tabla.h"

#include <algorithm>
#include <string>

namespace belvaro {

namespace {

// Rows added to a table that an earlier step already counted go to its count.
void SumarFilas(InformeExportar& informe, const std::string& tabla, int filas) {
    auto& cuentas = informe.filasPorTabla;
    auto it = std::find_if(cuentas.begin(), cuentas.end(),
                           [&](const auto& cuenta) { return cuenta.first == tabla; });
    if (it == cuentas.end())
        cuentas.emplace_back(tabla, filas);
    else
        it->second += filas;
}

} // namespace

// The non-teaching activities go after the subjects in ASIGNOMT, marked as tasks and
// carrying Séneca's key of the activity both as code and as CODTAREA.
void TrabajoExportar::CrearActividades() {
    Tabla asignomt(Carpeta(), "ASIGNOMT");
    int filas = 0;
    RecorrerBloque(DocXML, "ACTIVIDADES", 2, informe.lectura, [&](const RegistroSeneca& r) {
        const std::string nombre = r.valor(2);
        const std::string clave = r.valor(1);
        asignomt.Append();
        asignomt.FieldByName("COD").SetAsString(clave);
        asignomt.FieldByName("CODLARGO").SetAsString(nombre.substr(0, 10));
        asignomt.FieldByName("NOMBRE").SetAsString(nombre);
        asignomt.FieldByName("CODTAREA").SetAsString(clave);
        asignomt.FieldByName("ESTAREA").SetAsBoolean(true);
        asignomt.Post();
        ++filas;
    });
    asignomt.Close();
    SumarFilas(informe, "ASIGNOMT", filas);

    // The subject-code lists have served their purpose.
    CodigosUsados.clear();
    CodigosLargos.clear();
    NombresMaterias.clear();
    CodLargoNombre.clear();
}

} // namespace belvaro
