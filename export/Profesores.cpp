#include "export/TrabajoExportar.h"

#include "app/Clipper.h"
#include "tables/Tabla.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace belvaro {

namespace {

const std::vector<DefCampo> kCamposProft = {
    {"ABREV", TipoCampo::Texto, 10},      {"NOMBRE", TipoCampo::Texto, 80},
    {"DEPART", TipoCampo::Texto, 40},     {"DNI", TipoCampo::Entero, 0},
    {"X_EMPLEADO", TipoCampo::Texto, 10}, {"F_TOMAPOS", TipoCampo::Texto, 10},
};

std::string Inicial(const std::string& parte) {
    return parte.substr(0, 1);
}

// The abbreviations given so far in one run, compared without regard to letter case.
class AbreviaturasProfesores {
  public:
    // The base itself when free, else the base followed by 1, 2, 3... The stored
    // abbreviation keeps the case of the name.
    std::string Dar(const std::string& base) {
        const std::string plegada = SinMayusculasNiMinusculas(base);
        std::string abreviatura = base;
        if (dadas_.contains(plegada)) {
            // Numbers below this one are taken for the base: the list only grows.
            int& k = siguiente_.try_emplace(plegada, 1).first->second;
            while (dadas_.contains(plegada + std::to_string(k)))
                ++k;
            abreviatura = base + std::to_string(k);
        }
        dadas_.insert(SinMayusculasNiMinusculas(abreviatura));
        return abreviatura;
    }

  private:
    std::set<std::string> dadas_;
    std::map<std::string, int> siguiente_;
};

} // namespace

// One teacher per staff record, named in the timetable by an abbreviation unique in
// the table: the initials of the three name parts, numbered when taken.
void TrabajoExportar::CrearProfesores() {
    CrearTabla(Carpeta(), "PROFT", kCamposProft);
    Tabla proft(Carpeta(), "PROFT");
    AbreviaturasProfesores abreviaturas;
    int filas = 0;
    RecorrerBloque(DocXML, "EMPLEADOS", 5, informe.lectura, [&](const RegistroSeneca& r) {
        const std::string parte1 = r.valor(3);
        const std::string parte2 = r.valor(4);
        const std::string parte3 = r.valor(5);
        const std::string abrev =
            abreviaturas.Dar(Inicial(parte1) + Inicial(parte2) + Inicial(parte3));
        proft.Append();
        proft.FieldByName("ABREV").SetAsString(abrev);
        proft.FieldByName("NOMBRE").SetAsString(parte1 + " " + parte2 + " " + parte3);
        proft.FieldByName("X_EMPLEADO").SetAsString(r.valor(0));
        proft.FieldByName("F_TOMAPOS").SetAsString(r.valor(1));
        proft.FieldByName("DEPART").SetAsString(r.valor(2));
        proft.Post();
        ++filas;
    });
    proft.Close();
    informe.filasPorTabla.emplace_back("PROFT", filas);
}

} // namespace belvaro
