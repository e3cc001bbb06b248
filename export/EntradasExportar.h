#pragma once

#include "seneca/XmlDocument.h"

#include <filesystem>

// What an export needs before it touches any table.
namespace belvaro {

// SENEMATERIAS.DBF in the program's folder, its name matched without regard to case.
// Throws Error when it is not there.
std::filesystem::path BuscarCatalogo(const std::filesystem::path& carpetaEjecutable);

// Loads a Séneca exchange file and checks that it has /SERVICIO/BLOQUE_DATOS and that
// its first block holds the school year (more than one dato directly). Throws Error
// naming the file otherwise.
XmlDocument CargarDocumentoSeneca(const std::filesystem::path& archivo);

} // namespace belvaro
