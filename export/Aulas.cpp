#include "export/TrabajoExportar.h"

#include "tables/Tabla.h"

#include <string>
#include <vector>

namespace belvaro {

namespace {

const std::vector<DefCampo> kCamposAulat = {
    {"ABREV", TipoCampo::Texto, 10},     {"NOMBRE", TipoCampo::Texto, 80},
    {"EDIFICIO", TipoCampo::Texto, 1},   {"MAXALUM", TipoCampo::Entero, 0},
    {"DEPCENTRO", TipoCampo::Texto, 10},
};

} // namespace

// One room per record of DEPENDENCIAS. The abbreviation is Séneca's own room code,
// which the import writes back unchanged as X_DEPENDENCIA.
void TrabajoExportar::CrearAulas() {
    CrearTabla(Carpeta(), "AULAT", kCamposAulat);
    Tabla aulat(Carpeta(), "AULAT");
    int filas = 0;
    RecorrerBloque(DocXML, "DEPENDENCIAS", 1, informe.lectura, [&](const RegistroSeneca& r) {
        const std::string codigo = r.valor(0);
        aulat.Append();
        aulat.FieldByName("ABREV").SetAsString(codigo.substr(0, 10));
        aulat.FieldByName("NOMBRE").SetAsString(r.valor(1));
        aulat.FieldByName("DEPCENTRO").SetAsString(codigo);
        aulat.Post();
        ++filas;
    });
    aulat.Close();
    informe.filasPorTabla.emplace_back("AULAT", filas);
}

} // namespace belvaro
