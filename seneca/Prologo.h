#pragma once

#include <string>

namespace belvaro {

// What a document keeps of its file outside the tree, so that saving gives back the
// same bytes: the XML declaration exactly as written (with a byte-order mark before
// it, if there was one), the white space that followed it, used between the nodes
// at the top of the document, and the white space that ended the file.
struct Prologo {
    std::string declaracion; // empty: the file had none
    std::string separador = "\n";
    std::string final = "\n";
};

// Reads the prologue of a file's bytes.
Prologo LeerPrologo(const std::string& bytes);

} // namespace belvaro
