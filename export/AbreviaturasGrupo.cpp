#include "export/AbreviaturasGrupo.h"

#include "app/Clipper.h"
#include "app/Error.h"
#include "seneca/CodePage.h"

namespace belvaro {

std::string AbreviaturasGrupo::Asignar(std::string_view base, std::string_view unidad) {
    const std::string_view raiz = base.empty() ? base : base.substr(0, base.size() - 1);
    std::string candidata(raiz);
    candidata.push_back('A');
    for (unsigned codigo = 'A'; codigo <= 0xFF; ++codigo) {
        candidata.back() = static_cast<char>(codigo);
        if (dadas_.insert(SinMayusculasNiMinusculas(candidata)).second)
            return candidata;
    }
    throw Error("No quedan letras libres para los grupos de abreviatura «" + AnsiAUtf8(base) +
                "»: la unidad «" + AnsiAUtf8(unidad) +
                "» del bloque UNIDADES no puede recibir una abreviatura distinta de las ya "
                "dadas en GRUPOST.");
}

} // namespace belvaro
