#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where the help opens: the compiled help SENECA.chm in a CHM viewer when the
// system has one, else the same pages as HTML (folder "ayuda" beside the
// executable) in the browser.
namespace belvaro {

inline constexpr const char* kArchivoAyuda = "SENECA.chm";
inline constexpr const char* kCarpetaAyudaHtml = "ayuda";
inline constexpr const char* kPaginaIndice = "index.html";
// Help context 1: the main window and the level and course dialog.
inline constexpr int kContextoVentana = 1;
inline constexpr const char* kPaginaContexto1 = "ventana.html";

struct DestinoAyuda {
    std::filesystem::path archivo; // SENECA.chm, or the HTML page itself
    std::string tema;              // the page inside the .chm; empty for its contents
    std::filesystem::path visor;   // the CHM viewer; empty: the desktop's browser

    bool operator==(const DestinoAyuda&) const = default;
};

// The full path of a program on PATH, or nothing.
using BuscarPrograma = std::function<std::optional<std::filesystem::path>(std::string_view)>;

// The help at its contents (no context) or at the topic of `contexto`. Throws
// Error naming the folder when neither the .chm nor the HTML pages are there.
DestinoAyuda ResolverAyuda(const std::filesystem::path& carpeta, std::optional<int> contexto,
                           const BuscarPrograma& buscar);

// The arguments for the CHM viewer at `destino`.
std::vector<std::string> ArgumentosVisor(const DestinoAyuda& destino);

} // namespace belvaro
