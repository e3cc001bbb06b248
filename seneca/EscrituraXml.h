#pragma once

#include "seneca/Prologo.h"

#include <libxml/tree.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace belvaro {

// The document's bytes: the declaration it was loaded with (none if it had none), then
// its top-level nodes as they stand, with no white space added inside them, in the
// encoding the declaration names (UTF-8 without one). Characters that encoding
// cannot hold are written as character references.
std::string SerializarXml(xmlDocPtr doc, const Prologo& prologo);

// Writes the bytes under a temporary name in the file's folder and renames it into
// place: on failure no partial file is left and an earlier file of that name stays.
void GuardarArchivoAtomico(const std::filesystem::path& archivo, const std::string& bytes);
// The same, for a file made of several pieces, written one after another.
void GuardarArchivoAtomico(const std::filesystem::path& archivo,
                           std::initializer_list<std::string_view> partes);

} // namespace belvaro
