#include "seneca/Seleccion.h"

#include "app/Error.h"
#include "seneca/XmlTexto.h"

#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace belvaro {
namespace {

bool EsNombreSimple(std::string_view expresion) {
    auto valido = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
    };
    if (expresion.empty() || !std::all_of(expresion.begin(), expresion.end(), valido)) {
        return false;
    }
    char c = expresion.front();
    return !(c >= '0' && c <= '9') && c != '-' && c != '.';
}

// Children that are elements of that name outside any namespace: what the XPath
// step "name" selects.
XmlNodeList HijosLlamados(xmlNodePtr contexto, std::string_view nombre, bool soloPrimero) {
    std::vector<XmlNode> nodos;
    for (xmlNodePtr hijo = contexto->children; hijo != nullptr; hijo = hijo->next) {
        if (hijo->type == XML_ELEMENT_NODE && hijo->ns == nullptr &&
            std::string_view(reinterpret_cast<const char*>(hijo->name)) == nombre) {
            nodos.emplace_back(hijo);
            if (soloPrimero) {
                break;
            }
        }
    }
    return XmlNodeList(std::move(nodos));
}

struct Contexto {
    std::string motivo;
};

void AnotarError(void* datos, xmlErrorPtr error) {
    auto* contexto = static_cast<Contexto*>(datos);
    if (contexto->motivo.empty() && error != nullptr && error->message != nullptr) {
        contexto->motivo = error->message;
        while (!contexto->motivo.empty() && contexto->motivo.back() == '\n') {
            contexto->motivo.pop_back();
        }
    }
}

using ContextoXPath = std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)>;
using ResultadoXPath = std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)>;

XmlNodeList EvaluarXPath(xmlNodePtr contexto, const std::string& expresion, bool soloPrimero) {
    xmlDocPtr doc =
        contexto->type == XML_DOCUMENT_NODE ? reinterpret_cast<xmlDocPtr>(contexto) : contexto->doc;
    ContextoXPath ctx(xmlXPathNewContext(doc), &xmlXPathFreeContext);
    if (!ctx) {
        throw Error("No hay memoria para evaluar la expresión XPath «" + expresion + "»");
    }
    Contexto errores;
    ctx->node = contexto;
    ctx->userData = &errores;
    ctx->error = &AnotarError;
    ResultadoXPath resultado(xmlXPathEvalExpression(ComoXml(expresion), ctx.get()),
                             &xmlXPathFreeObject);
    if (!resultado) {
        throw Error("La expresión XPath «" + expresion + "» no es válida: " +
                    (errores.motivo.empty() ? "error desconocido" : errores.motivo));
    }
    if (resultado->type != XPATH_NODESET) {
        throw Error("La expresión XPath «" + expresion + "» no selecciona nodos");
    }
    std::vector<XmlNode> nodos;
    if (xmlNodeSetPtr conjunto = resultado->nodesetval) {
        for (int i = 0; i < conjunto->nodeNr; ++i) {
            xmlNodePtr nodo = conjunto->nodeTab[i];
            if (nodo->type == XML_NAMESPACE_DECL) {
                continue; // not a node of the tree
            }
            nodos.emplace_back(nodo);
            if (soloPrimero) {
                break;
            }
        }
    }
    return XmlNodeList(std::move(nodos));
}

} // namespace

XmlNodeList Seleccionar(xmlNodePtr contexto, std::string_view expresion, bool soloPrimero) {
    if (EsNombreSimple(expresion)) {
        return HijosLlamados(contexto, expresion, soloPrimero);
    }
    return EvaluarXPath(contexto, std::string(expresion), soloPrimero);
}

} // namespace belvaro
