#include "tools/soluc/Colocacion.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace belvaro::soluc {

namespace {

using Ocupado = std::set<std::tuple<std::string, int, int>>;

class Horario {
  public:
    Horario(const std::vector<Tramo>& tramos, const std::vector<std::string>& aulas, Azar& azar)
        : tramos_(tramos), aulas_(aulas), azar_(azar) {}

    // The assignment's hours for one teacher; false (and nothing kept) when they
    // do not all fit.
    bool Probar(const Asignacion& a, const std::string& prof, std::vector<Leccion>& salida) {
        std::vector<Tramo> orden = tramos_;
        azar_.Barajar(orden);
        std::vector<Leccion> nuevas;
        std::set<int> dias;
        for (int h = 0; h < a.horas; ++h) {
            const Tramo* elegido = Elegir(orden, a.grupo, prof, dias, nuevas);
            if (elegido == nullptr)
                return false;
            dias.insert(elegido->dia);
            nuevas.push_back({prof, elegido->dia, elegido->hora, a.asig, a.grupo, Aula()});
        }
        for (const Leccion& l : nuevas) {
            profesores_.insert({l.prof, l.dia, l.hora});
            grupos_.insert({l.grupo, l.dia, l.hora});
        }
        salida.insert(salida.end(), nuevas.begin(), nuevas.end());
        return true;
    }

    std::string Aula() { return aulas_.empty() ? "" : aulas_[azar_.Hasta(aulas_.size())]; }

  private:
    bool Libre(const Tramo& t, const std::string& grupo, const std::string& prof,
               const std::vector<Leccion>& nuevas) const {
        if (profesores_.count({prof, t.dia, t.hora}) || grupos_.count({grupo, t.dia, t.hora}))
            return false;
        return std::none_of(nuevas.begin(), nuevas.end(),
                            [&](const Leccion& l) { return l.dia == t.dia && l.hora == t.hora; });
    }

    // A free slot, on a day the assignment does not use yet when there is one.
    const Tramo* Elegir(const std::vector<Tramo>& orden, const std::string& grupo,
                        const std::string& prof, const std::set<int>& dias,
                        const std::vector<Leccion>& nuevas) const {
        const Tramo* otroDia = nullptr;
        for (const Tramo& t : orden) {
            if (!Libre(t, grupo, prof, nuevas))
                continue;
            if (!dias.count(t.dia))
                return &t;
            if (otroDia == nullptr)
                otroDia = &t;
        }
        return otroDia;
    }

    const std::vector<Tramo>& tramos_;
    const std::vector<std::string>& aulas_;
    Azar& azar_;
    Ocupado profesores_, grupos_;
};

constexpr int kIntentosProfesor = 8;

} // namespace

std::uint64_t Azar::Siguiente() {
    std::uint64_t z = (estado_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::vector<Leccion> Colocar(const std::vector<Asignacion>& asignaciones,
                             const std::vector<Tramo>& tramos,
                             const std::vector<std::string>& profesores,
                             const std::vector<std::string>& aulas, int sinColocar, Azar& azar) {
    std::vector<Leccion> lecciones;
    if (profesores.empty())
        return lecciones;
    Horario horario(tramos, aulas, azar);
    for (const Asignacion& a : asignaciones) {
        bool colocada = false;
        for (int intento = 0; intento < kIntentosProfesor && !colocada; ++intento)
            colocada = horario.Probar(a, profesores[azar.Hasta(profesores.size())], lecciones);
        if (!colocada)
            for (int h = 0; h < a.horas; ++h)
                lecciones.push_back(
                    {profesores[azar.Hasta(profesores.size())], 0, 0, a.asig, a.grupo, ""});
    }
    for (int i = 0; i < sinColocar && !asignaciones.empty(); ++i) {
        const Asignacion& a = asignaciones[azar.Hasta(asignaciones.size())];
        lecciones.push_back(
            {profesores[azar.Hasta(profesores.size())], 0, 0, a.asig, a.grupo, horario.Aula()});
    }
    return lecciones;
}

} // namespace belvaro::soluc
