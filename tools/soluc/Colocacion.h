#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace belvaro::soluc {

// What the timetable has to place: one subject taught to one group, for some hours.
struct Asignacion {
    std::string asig, grupo;
    int horas = 0;
};

// A slot of the week: day 1..5 and its ordinal within the day (DIASHORAST's key).
struct Tramo {
    int dia = 0, hora = 0;
};

// One lesson of the solution; day 0 is a lesson the timetable could not place.
struct Leccion {
    std::string prof;
    int dia = 0, hora = 0;
    std::string asig, grupo, aula;
};

// A small deterministic generator (splitmix64), the same on every platform.
class Azar {
  public:
    explicit Azar(std::uint64_t semilla) : estado_(semilla) {}
    std::uint64_t Siguiente();
    // 0 <= n < tope; tope > 0.
    std::size_t Hasta(std::size_t tope) { return static_cast<std::size_t>(Siguiente() % tope); }
    template <typename T> void Barajar(std::vector<T>& v) {
        for (std::size_t i = v.size(); i > 1; --i)
            std::swap(v[i - 1], v[Hasta(i)]);
    }

  private:
    std::uint64_t estado_;
};

// Places every hour of every assignment on a free slot: one teacher per assignment,
// never two lessons at once for a teacher or a group, hours of one assignment on
// different days where possible. What cannot be placed is left with day 0, and
// `sinColocar` more lessons are added unplaced, as a host leaves some behind.
std::vector<Leccion> Colocar(const std::vector<Asignacion>& asignaciones,
                             const std::vector<Tramo>& tramos,
                             const std::vector<std::string>& profesores,
                             const std::vector<std::string>& aulas, int sinColocar, Azar& azar);

} // namespace belvaro::soluc
