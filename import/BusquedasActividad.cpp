#include "import/BusquedasActividad.h"

#include "app/Clipper.h"

#include <functional>

namespace belvaro {

namespace {

bool EnBlanco(const std::string& valor) {
    return AllTrim(valor).empty();
}

// Every record of the table in stored order; try_emplace keeps the first of a key.
template <typename Indice, typename Clave, typename Valor>
void Indexar(Tabla& tabla, Indice& indice, Clave clave, Valor valor) {
    tabla.ClearFilter();
    for (tabla.First(); !tabla.Eof(); tabla.Next())
        indice.try_emplace(clave(), valor());
}

} // namespace

std::size_t BusquedasActividad::HashPar::operator()(const Par& par) const {
    const std::size_t a = std::hash<std::string>()(par.first);
    return a ^ (std::hash<std::string>()(par.second) + 0x9e3779b97f4a7c15ULL + (a << 6) + (a >> 2));
}

BusquedasActividad::BusquedasActividad(Tabla& wwTableAsig, Tabla& wwTableNomAsg,
                                       Tabla& wwTableTramos, Tabla& wwTableGrupos,
                                       Tabla& wwTableNomAsg_2) {
    {
        Campo casig = wwTableAsig.FieldByName("CASIG"), cgrup = wwTableAsig.FieldByName("CGRUP"),
              clave = wwTableAsig.FieldByName("CLAVE"),
              curso = wwTableAsig.FieldByName("CLAVECURSO");
        Indexar(
            wwTableAsig, asignaciones_, [&] { return Par(casig.AsString(), cgrup.AsString()); },
            [&] { return Par(clave.AsString(), curso.AsString()); });
    }
    {
        Campo cod = wwTableNomAsg.FieldByName("COD"), tarea = wwTableNomAsg.FieldByName("CODTAREA");
        Indexar(
            wwTableNomAsg, tareas_, [&] { return cod.AsString(); },
            [&] { return tarea.AsString(); });
    }
    {
        Campo diho = wwTableTramos.FieldByName("DIHO"), dia = wwTableTramos.FieldByName("DIA"),
              codigo = wwTableTramos.FieldByName("CODDIHO"),
              desde = wwTableTramos.FieldByName("HORADESDE"),
              hasta = wwTableTramos.FieldByName("HORAHASTA");
        Indexar(
            wwTableTramos, tramos_, [&] { return diho.AsString(); },
            [&] {
                return Tramo{dia.AsString(), codigo.AsString(), desde.AsString(), hasta.AsString()};
            });
    }
    {
        Campo abrev = wwTableGrupos.FieldByName("ABREV"),
              clave = wwTableGrupos.FieldByName("CLAVE"),
              curso = wwTableGrupos.FieldByName("CLAVECURSO");
        Indexar(
            wwTableGrupos, grupos_, [&] { return abrev.AsString(); },
            [&] { return Par(clave.AsString(), curso.AsString()); });
    }
    {
        Campo cod = wwTableNomAsg_2.FieldByName("COD"),
              oferta = wwTableNomAsg_2.FieldByName("OFERTAMATRI"),
              materia = wwTableNomAsg_2.FieldByName("MATERIA");
        Indexar(
            wwTableNomAsg_2, materias_, [&] { return Par(cod.AsString(), oferta.AsString()); },
            [&] { return materia.AsString(); });
    }
}

ValoresActividad BusquedasActividad::Resolver(const FilaSoluc& fila, long long dia, long long hora,
                                              const std::string& fInicio,
                                              const std::string& fFin) const {
    ValoresActividad v;
    v.F_INICIO = fInicio;
    v.F_FIN = fFin;

    // Assignment by subject and group: Séneca's subject and course codes.
    if (auto a = asignaciones_.find(Par(fila.ASIG, fila.CODGRUPO)); a != asignaciones_.end()) {
        v.X_MATERIAOMG = a->second.first;
        v.X_OFERTAMATRIG = a->second.second;
    }

    // Activity code: the row's own, else the subject's task code.
    v.X_ACTIVIDAD = fila.TAREA;
    if (EnBlanco(v.X_ACTIVIDAD))
        if (auto t = tareas_.find(fila.ASIG); t != tareas_.end())
            v.X_ACTIVIDAD = t->second;

    // Slot by the key of day and ordinal: day 2, slot 3 is "23".
    std::string clave = std::to_string(dia);
    clave += std::to_string(hora);
    if (auto t = tramos_.find(clave); t != tramos_.end()) {
        v.N_DIASEMANA = t->second.DIA;
        v.X_TRAMO = t->second.CODDIHO;
        v.N_HORINI = t->second.HORADESDE;
        v.N_HORFIN = t->second.HORAHASTA;
    }

    // The room abbreviation is Séneca's room code.
    if (!EnBlanco(fila.AULA))
        v.X_DEPENDENCIA = fila.AULA;

    // Group: the unit's code, and its course when the assignment gave none.
    if (auto g = grupos_.find(fila.CODGRUPO); g != grupos_.end()) {
        v.X_UNIDAD = g->second.first;
        if (EnBlanco(v.X_OFERTAMATRIG))
            v.X_OFERTAMATRIG = g->second.second;
    }

    // Subject by subject and course, when the assignment gave none.
    if (EnBlanco(v.X_MATERIAOMG))
        if (auto m = materias_.find(Par(fila.ASIG, v.X_OFERTAMATRIG)); m != materias_.end())
            v.X_MATERIAOMG = m->second;

    if (EnBlanco(v.X_ACTIVIDAD))
        v.X_ACTIVIDAD.assign(1, '1'); // the activity code of an ordinary lesson
    return v;
}

} // namespace belvaro
