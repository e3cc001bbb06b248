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

// White space between elements never reaches the tree: a run of text that is nothing
// but white space waits here until the parser shows what follows it. More text in the
// same run gives it to the tree; anything else (an element, its end, a comment...)
// drops it, unless xml:space="preserve" holds there. Text that continues a text node
// already in the tree goes straight in.
class FiltroEspacios {
public:
    explicit FiltroEspacios(xmlParserCtxtPtr principal)
        : principal_(principal), propios_(*principal->sax) {}

    // Puts the filter between the parser and the tree it builds.
    void Instalar(xmlSAXHandler& sax) {
        sax.characters = &Texto<&xmlSAXHandler::characters>;
        sax.ignorableWhitespace = &Texto<&xmlSAXHandler::ignorableWhitespace>;
        sax.startElementNs = &Inicio;
        sax.endElementNs = &Fin;
        sax.reference = &Referencia;
        sax.cdataBlock = &Cdata;
        sax.comment = &Comentario;
        sax.processingInstruction = &Instruccion;
    }

private:
    using Callback = void (*)(void*, const xmlChar*, int);

    static FiltroEspacios& De(void* datos);

    static bool SoloBlancos(const xmlChar* texto, int largo) {
        return std::all_of(texto, texto + largo, [](xmlChar c) { return IS_BLANK_CH(c); });
    }

    static bool SigueTexto(xmlNodePtr padre) {
        return padre != nullptr && padre->last != nullptr && padre->last->type == XML_TEXT_NODE &&
               padre->last->name == xmlStringText;
    }

    template <Callback xmlSAXHandler::*Propio>
    static void Texto(void* datos, const xmlChar* texto, int largo) {
        auto* ctxt = static_cast<xmlParserCtxtPtr>(datos);
        FiltroEspacios& filtro = De(datos);
        // Entity contents are parsed apart and keep their text as it stands.
        if (ctxt == filtro.principal_) {
            if (SoloBlancos(texto, largo) && !SigueTexto(ctxt->node)) {
                filtro.blancos_.append(reinterpret_cast<const char*>(texto),
                                       static_cast<std::size_t>(largo));
                return;
            }
            filtro.Soltar(ctxt);
        }
        (filtro.propios_.*Propio)(datos, texto, largo);
    }

    // The white space waiting goes to the tree.
    void Soltar(xmlParserCtxtPtr ctxt) {
        if (!blancos_.empty()) {
            std::string texto = std::move(blancos_);
            blancos_.clear();
            propios_.characters(ctxt, reinterpret_cast<const xmlChar*>(texto.data()),
                                static_cast<int>(texto.size()));
        }
    }

    // Something other than text follows: the white space waiting stood alone.
    static void Cortar(void* datos) {
        auto* ctxt = static_cast<xmlParserCtxtPtr>(datos);
        FiltroEspacios& filtro = De(datos);
        if (ctxt != filtro.principal_ || filtro.blancos_.empty()) {
            return;
        }
        if (ctxt->node != nullptr && xmlNodeGetSpacePreserve(ctxt->node) == 1) {
            filtro.Soltar(ctxt);
        }
        filtro.blancos_.clear();
    }

    static void Inicio(void* datos, const xmlChar* local, const xmlChar* prefijo,
                       const xmlChar* uri, int nEspacios, const xmlChar** espacios,
                       int nAtributos, int nPorDefecto, const xmlChar** atributos) {
        Cortar(datos);
        De(datos).propios_.startElementNs(datos, local, prefijo, uri, nEspacios, espacios,
                                          nAtributos, nPorDefecto, atributos);
    }
    static void Fin(void* datos, const xmlChar* local, const xmlChar* prefijo,
                    const xmlChar* uri) {
        Cortar(datos);
        De(datos).propios_.endElementNs(datos, local, prefijo, uri);
    }
    static void Referencia(void* datos, const xmlChar* nombre) {
        Cortar(datos);
        De(datos).propios_.reference(datos, nombre);
    }
    static void Cdata(void* datos, const xmlChar* texto, int largo) {
        Cortar(datos);
        De(datos).propios_.cdataBlock(datos, texto, largo);
    }
    static void Comentario(void* datos, const xmlChar* texto) {
        Cortar(datos);
        De(datos).propios_.comment(datos, texto);
    }
    static void Instruccion(void* datos, const xmlChar* destino, const xmlChar* texto) {
        Cortar(datos);
        De(datos).propios_.processingInstruction(datos, destino, texto);
    }

    xmlParserCtxtPtr principal_;
    xmlSAXHandler propios_; // the parser's own callbacks, which build the tree
    std::string blancos_;
};

// What the callbacks of one parse share, reached through the parser's _private.
struct Lectura {
    explicit Lectura(xmlParserCtxtPtr ctxt) : filtro(ctxt) {}
    PrimerError primero;
    FiltroEspacios filtro;
};

FiltroEspacios& FiltroEspacios::De(void* datos) {
    return static_cast<Lectura*>(static_cast<xmlParserCtxtPtr>(datos)->_private)->filtro;
}

void AnotarError(void* datos, xmlErrorPtr error) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(datos);
    auto* lectura = static_cast<Lectura*>(ctxt->_private);
    PrimerError* primero = lectura == nullptr ? nullptr : &lectura->primero;
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
    xmlCtxtUseOptions(ctxt.get(), XML_PARSE_NONET | XML_PARSE_NOXINCNODE | XML_PARSE_COMPACT);
    ctxt->sax->resolveEntity = nullptr;
    ctxt->sax->externalSubset = nullptr;
    Lectura lectura(ctxt.get());
    lectura.filtro.Instalar(*ctxt->sax);
    const PrimerError& primero = lectura.primero;
    ctxt->_private = &lectura;
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

} // namespace

XmlCargado CargarXml(const std::filesystem::path& archivo, std::uintmax_t tamanoMaximo) {
    std::string bytes = LeerBytes(archivo, tamanoMaximo);
    XmlCargado cargado{Analizar(bytes, archivo), LeerPrologo(bytes)};
    // Text read through entity references may grow to ten times the file, as the
    // parser itself allows, but never past the size of the largest file accepted.
    VigilarEntidades(cargado.doc.get(), std::min(tamanoMaximo, 10 * bytes.size() + 4096), archivo);
    return cargado;
}

} // namespace belvaro
