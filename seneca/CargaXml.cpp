#include "seneca/CargaXml.h"

#include "app/Error.h"
#include "seneca/Entidades.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <system_error>

namespace belvaro {
namespace {

using ContextoParser = std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)>;

// The first error the parser reports while reading one file.
struct PrimerError {
    bool hay = false;
    int linea = 0;
    std::string motivo;
};

void AnotarError(void* datos, xmlErrorPtr error) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(datos);
    auto* primero = static_cast<PrimerError*>(ctxt->_private);
    if (primero == nullptr || primero->hay || error == nullptr || error->level < XML_ERR_ERROR) {
        return;
    }
    primero->hay = true;
    primero->linea = error->line;
    primero->motivo = error->message != nullptr ? error->message : "error desconocido";
    while (!primero->motivo.empty() &&
           (primero->motivo.back() == '\n' || primero->motivo.back() == ' ')) {
        primero->motivo.pop_back();
    }
}

std::string LeerBytes(const std::filesystem::path& archivo, std::uintmax_t tamanoMaximo) {
    std::error_code ec;
    auto estado = std::filesystem::status(archivo, ec);
    if (ec || !std::filesystem::exists(estado)) {
        throw Error("No existe el archivo " + archivo.string());
    }
    if (!std::filesystem::is_regular_file(estado)) {
        throw Error("No se puede leer " + archivo.string() + ": no es un archivo");
    }
    std::uintmax_t tamano = std::filesystem::file_size(archivo, ec);
    if (ec) {
        throw Error("No se puede leer el archivo " + archivo.string() + ": " + ec.message());
    }
    if (tamano > tamanoMaximo) {
        throw Error("El archivo " + archivo.string() + " ocupa " + std::to_string(tamano) +
                    " bytes y no se admiten archivos XML de más de " +
                    std::to_string(tamanoMaximo) + " bytes (" +
                    std::to_string(tamanoMaximo / (1024 * 1024)) + " MB)");
    }
    std::ifstream entrada(archivo, std::ios::binary);
    if (!entrada) {
        throw Error("No se puede leer el archivo " + archivo.string());
    }
    std::string bytes(static_cast<std::size_t>(tamano), '\0');
    entrada.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(entrada.gcount()));
    if (entrada.bad()) {
        throw Error("No se puede leer el archivo " + archivo.string());
    }
    if (entrada.good() && entrada.peek() != std::ifstream::traits_type::eof()) {
        throw Error("No se puede leer el archivo " + archivo.string() +
                    ": ha crecido mientras se leía");
    }
    return bytes;
}

// libxml2's encoding layer reports through its generic handler, which prints English
// lines on stderr. The parser's first error already tells what is wrong, so those
// lines are dropped while one file is parsed.
class SinMensajesGenericos {
  public:
    SinMensajesGenericos() : anterior_(xmlGenericError), contexto_(xmlGenericErrorContext) {
        xmlSetGenericErrorFunc(nullptr, &Callar);
    }
    ~SinMensajesGenericos() { xmlSetGenericErrorFunc(contexto_, anterior_); }
    SinMensajesGenericos(const SinMensajesGenericos&) = delete;
    SinMensajesGenericos& operator=(const SinMensajesGenericos&) = delete;

  private:
    static void Callar(void*, const char*, ...) {}
    xmlGenericErrorFunc anterior_;
    void* contexto_;
};

DocumentoXml Analizar(const std::string& bytes, const std::filesystem::path& archivo) {
    if (bytes.empty()) {
        throw Error("El archivo " + archivo.string() +
                    " no es un XML válido (línea 1): el archivo está vacío");
    }
    ContextoParser ctxt(xmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size())),
                        &xmlFreeParserCtxt);
    if (!ctxt) {
        throw Error("No hay memoria para leer el archivo " + archivo.string());
    }
    // Neither XML_PARSE_NOENT, XML_PARSE_DTDLOAD nor XML_PARSE_HUGE: entities stay
    // references, no outside file is opened and the parser's limits hold.
    xmlCtxtUseOptions(ctxt.get(), XML_PARSE_NONET | XML_PARSE_NOXINCNODE);
    ctxt->sax->resolveEntity = nullptr;
    ctxt->sax->externalSubset = nullptr;
    PrimerError primero;
    ctxt->_private = &primero;
    ctxt->sax->serror = &AnotarError;

    {
        SinMensajesGenericos silencio;
        xmlParseDocument(ctxt.get());
    }
    DocumentoXml doc(ctxt->myDoc);
    ctxt->myDoc = nullptr;
    if (!doc || !ctxt->wellFormed || primero.hay) {
        std::string motivo = primero.hay ? primero.motivo : "no se ha podido leer el documento";
        throw Error("El archivo " + archivo.string() + " no es un XML válido (línea " +
                    std::to_string(primero.linea) + "): " + motivo);
    }
    return doc;
}

bool SoloEspacios(xmlNodePtr nodo) {
    return nodo->type == XML_TEXT_NODE && xmlIsBlankNode(nodo) &&
           xmlNodeGetSpacePreserve(nodo->parent) != 1;
}

// Drops white-space-only text nodes, walking the tree without recursion.
void QuitarEspaciosSueltos(xmlDocPtr doc) {
    xmlNodePtr nodo = doc->children;
    while (nodo != nullptr) {
        if (SoloEspacios(nodo)) {
            xmlNodePtr siguiente = nodo->next;
            xmlNodePtr padre = nodo->parent;
            xmlUnlinkNode(nodo);
            xmlFreeNode(nodo);
            nodo = siguiente;
            while (nodo == nullptr && padre != nullptr &&
                   padre != reinterpret_cast<xmlNodePtr>(doc)) {
                nodo = padre->next;
                padre = padre->parent;
            }
            continue;
        }
        if (nodo->type == XML_ELEMENT_NODE && nodo->children != nullptr) {
            nodo = nodo->children;
            continue;
        }
        while (nodo != nullptr && nodo->next == nullptr) {
            nodo = nodo->parent;
            if (nodo == reinterpret_cast<xmlNodePtr>(doc)) {
                nodo = nullptr;
            }
        }
        if (nodo != nullptr) {
            nodo = nodo->next;
        }
    }
}

} // namespace

XmlCargado CargarXml(const std::filesystem::path& archivo, std::uintmax_t tamanoMaximo) {
    std::string bytes = LeerBytes(archivo, tamanoMaximo);
    XmlCargado cargado{Analizar(bytes, archivo), LeerPrologo(bytes)};
    // Text read through entity references may grow to ten times the file, as the
    // parser itself allows, but never past the size of the largest file accepted.
    VigilarEntidades(cargado.doc.get(), std::min(tamanoMaximo, 10 * bytes.size() + 4096), archivo);
    QuitarEspaciosSueltos(cargado.doc.get());
    return cargado;
}

} // namespace belvaro
