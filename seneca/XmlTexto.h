#pragma once

#include <libxml/tree.h>

#include <string>

// Text between libxml2 (xmlChar, UTF-8) and the rest of the program.
namespace belvaro {

inline const xmlChar* ComoXml(const std::string& texto) {
    return reinterpret_cast<const xmlChar*>(texto.c_str());
}

inline std::string DeXml(const xmlChar* texto) {
    return texto == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(texto));
}

// Takes a string that libxml2 allocated for the caller, and frees it.
inline std::string TomarDeXml(xmlChar* texto) {
    std::string copia = DeXml(texto);
    xmlFree(texto);
    return copia;
}

} // namespace belvaro
