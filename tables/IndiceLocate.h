#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace belvaro::dbf {

// Record numbers by the value of one combination of fields, each list in stored
// order, so the first entry is the first match. Kept right as records are added
// and changed.
class IndiceLocate {
public:
    // The key of a combination: each part with its length in front, so no value can
    // run into the next.
    static std::string Clave(const std::vector<std::string>& partes);

    void Agregar(const std::string& clave, std::size_t registro); // a record after all others
    void Mover(const std::string& antes, const std::string& despues, std::size_t registro);
    const std::vector<std::size_t>* Buscar(const std::string& clave) const;

private:
    std::unordered_map<std::string, std::vector<std::size_t>> filas_;
};

} // namespace belvaro::dbf
