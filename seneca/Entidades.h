#pragma once

#include <libxml/tree.h>

#include <cstdint>
#include <filesystem>

namespace belvaro {

// Entity references stay references in the tree and expand only when text is read.
// Refuses (Error naming the file and line) a document whose references would expand
// to more than limite bytes of text in all, or nest deeper than any real file does.
void VigilarEntidades(xmlDocPtr doc, std::uintmax_t limite, const std::filesystem::path& archivo);

} // namespace belvaro
