#include "seneca/Prologo.h"

#include <string_view>

namespace belvaro {
namespace {

bool EsEspacioXml(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view EspaciosDesde(std::string_view bytes, std::size_t desde) {
    std::size_t fin = desde;
    while (fin < bytes.size() && EsEspacioXml(bytes[fin])) {
        ++fin;
    }
    return bytes.substr(desde, fin - desde);
}

} // namespace

Prologo LeerPrologo(const std::string& bytes) {
    Prologo prologo;
    std::string_view texto(bytes);
    std::size_t fin = texto.size();
    while (fin > 0 && EsEspacioXml(texto[fin - 1])) {
        --fin;
    }
    prologo.final = std::string(texto.substr(fin));

    std::size_t inicio = texto.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    bool declarado = texto.substr(inicio, 5) == "<?xml" && texto.size() > inicio + 5 &&
                     EsEspacioXml(texto[inicio + 5]);
    if (declarado) {
        std::size_t cierre = texto.find("?>", inicio);
        if (cierre != std::string_view::npos) {
            prologo.declaracion = std::string(texto.substr(0, cierre + 2));
            prologo.separador = std::string(EspaciosDesde(texto, cierre + 2));
        }
    } else if (texto.find("\r\n") != std::string_view::npos) {
        prologo.separador = "\r\n";
    }
    return prologo;
}

} // namespace belvaro
