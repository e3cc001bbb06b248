#include "tables/IndiceLocate.h"

#include <algorithm>

namespace belvaro::dbf {

std::string IndiceLocate::Clave(const std::vector<std::string>& partes) {
    std::string clave;
    for (const auto& p : partes) {
        clave += std::to_string(p.size());
        clave += ':';
        clave += p;
    }
    return clave;
}

void IndiceLocate::Agregar(const std::string& clave, std::size_t registro) {
    filas_[clave].push_back(registro);
}

void IndiceLocate::Mover(const std::string& antes, const std::string& despues,
                         std::size_t registro) {
    if (antes == despues)
        return;
    if (auto it = filas_.find(antes); it != filas_.end()) {
        auto& lista = it->second;
        const auto pos = std::lower_bound(lista.begin(), lista.end(), registro);
        if (pos != lista.end() && *pos == registro)
            lista.erase(pos);
        if (lista.empty())
            filas_.erase(it);
    }
    auto& lista = filas_[despues];
    lista.insert(std::lower_bound(lista.begin(), lista.end(), registro), registro);
}

const std::vector<std::size_t>* IndiceLocate::Buscar(const std::string& clave) const {
    const auto it = filas_.find(clave);
    return it == filas_.end() ? nullptr : &it->second;
}

} // namespace belvaro::dbf
