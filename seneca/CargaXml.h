#pragma once

#include "seneca/Prologo.h"

#include <libxml/tree.h>

#include <cstdint>
#include <filesystem>
#include <memory>

namespace belvaro {

struct LiberarDocumento {
    void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
};
using DocumentoXml = std::unique_ptr<xmlDoc, LiberarDocumento>;

struct XmlCargado {
    DocumentoXml doc;
    Prologo prologo;
};

// Reads and parses a file with no network, no external entity or DTD, the parser's
// limits on entity expansion and nesting, and no file over tamanoMaximo bytes.
// White-space-only text is dropped unless xml:space="preserve" keeps it.
// Throws Error naming the file (and, for bad XML, the line and the parser's reason).
XmlCargado CargarXml(const std::filesystem::path& archivo, std::uintmax_t tamanoMaximo);

} // namespace belvaro
