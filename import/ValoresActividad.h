#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace belvaro {

// The eleven values of one Séneca activity, in Windows-1252, named after the dato
// each one fills.
struct ValoresActividad {
    std::string N_DIASEMANA, X_TRAMO, X_DEPENDENCIA, X_UNIDAD, X_OFERTAMATRIG, X_MATERIAOMG,
        F_INICIO, F_FIN, N_HORINI, N_HORFIN, X_ACTIVIDAD;

    // (nombre_dato, value) in the order the activity block holds them.
    std::array<std::pair<const char*, std::string_view>, 11> EnOrden() const {
        return {{{"N_DIASEMANA", N_DIASEMANA},
                 {"X_TRAMO", X_TRAMO},
                 {"X_DEPENDENCIA", X_DEPENDENCIA},
                 {"X_UNIDAD", X_UNIDAD},
                 {"X_OFERTAMATRIG", X_OFERTAMATRIG},
                 {"X_MATERIAOMG", X_MATERIAOMG},
                 {"F_INICIO", F_INICIO},
                 {"F_FIN", F_FIN},
                 {"N_HORINI", N_HORINI},
                 {"N_HORFIN", N_HORFIN},
                 {"X_ACTIVIDAD", X_ACTIVIDAD}}};
    }
};

} // namespace belvaro
