#include "tools/soluc/TablasSoluc.h"

#include "app/Error.h"
#include "tables/Tabla.h"

#include <cmath>

namespace belvaro::soluc {

namespace fs = std::filesystem;

namespace {

constexpr int kUltimoDiaLectivo = 5;

std::vector<std::string> Abreviaturas(const fs::path& carpeta, const char* nombre) {
    Tabla tabla(carpeta, nombre);
    Campo abrev = tabla.FieldByName("ABREV");
    std::vector<std::string> lista;
    for (tabla.First(); !tabla.Eof(); tabla.Next())
        lista.push_back(abrev.AsString());
    return lista;
}

std::vector<Asignacion> Asignaciones(const fs::path& carpeta) {
    Tabla tabla(carpeta, "ASIGT");
    Campo asig = tabla.FieldByName("CASIG"), grupo = tabla.FieldByName("CGRUP"),
          horas = tabla.FieldByName("HORAS");
    std::vector<Asignacion> lista;
    for (tabla.First(); !tabla.Eof(); tabla.Next())
        lista.push_back(
            {asig.AsString(), grupo.AsString(), static_cast<int>(std::lround(horas.AsFloat()))});
    return lista;
}

// DIHO is the day in decimal followed by the slot's ordinal.
std::vector<Tramo> Tramos(const fs::path& carpeta) {
    Tabla tabla(carpeta, "DIASHORAST");
    Campo diho = tabla.FieldByName("DIHO"), dia = tabla.FieldByName("DIA");
    std::vector<Tramo> lista;
    for (tabla.First(); !tabla.Eof(); tabla.Next()) {
        const int d = static_cast<int>(dia.AsInteger());
        const std::string clave = diho.AsString(), prefijo = std::to_string(d);
        if (d < 1 || d > kUltimoDiaLectivo || clave.rfind(prefijo, 0) != 0 ||
            clave.size() == prefijo.size())
            continue;
        lista.push_back({d, std::stoi(clave.substr(prefijo.size()))});
    }
    return lista;
}

} // namespace

Entrada LeerEntrada(const fs::path& carpeta) {
    return {Asignaciones(carpeta), Tramos(carpeta), Abreviaturas(carpeta, "PROFT"),
            Abreviaturas(carpeta, "AULAT")};
}

void EscribirSoluc(const fs::path& carpeta, const std::vector<Leccion>& lecciones) {
    CrearTabla(carpeta, "SOLUC",
               {{"PROF", TipoCampo::Texto, 10},
                {"DIA", TipoCampo::Entero, 2},
                {"HORA", TipoCampo::Entero, 2},
                {"ASIG", TipoCampo::Texto, 10},
                {"CODGRUPO", TipoCampo::Texto, 10},
                {"TAREA", TipoCampo::Texto, 10},
                {"AULA", TipoCampo::Texto, 10}});
    Tabla tabla(carpeta, "SOLUC", Acceso::Exclusivo);
    Campo prof = tabla.FieldByName("PROF"), dia = tabla.FieldByName("DIA"),
          hora = tabla.FieldByName("HORA"), asig = tabla.FieldByName("ASIG"),
          grupo = tabla.FieldByName("CODGRUPO"), aula = tabla.FieldByName("AULA");
    for (const Leccion& l : lecciones) {
        tabla.Append();
        prof.SetAsString(l.prof);
        dia.SetAsInteger(l.dia);
        hora.SetAsInteger(l.hora);
        asig.SetAsString(l.asig);
        grupo.SetAsString(l.grupo);
        aula.SetAsString(l.aula);
        tabla.Post();
    }
    tabla.Close();
}

} // namespace belvaro::soluc
