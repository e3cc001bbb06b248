#include "seneca/XmlDocument.h"

#include "app/Error.h"
#include "seneca/NodosSueltos.h"
#include "seneca/Seleccion.h"
#include "seneca/XmlTexto.h"

#include <libxml/tree.h>

namespace belvaro {
namespace {

xmlNodePtr Existente(xmlNodePtr nodo) {
    if (nodo == nullptr) {
        throw Error("Se ha pedido un nodo que no existe en el documento XML");
    }
    return nodo;
}

std::string NombreDe(xmlNodePtr nodo) {
    return nodo->name == nullptr ? std::string("#document") : DeXml(nodo->name);
}

// The children of an element leave the tree (kept by the document, as removed nodes).
void SacarHijos(xmlNodePtr nodo) {
    NodosSueltos& sueltos = NodosSueltos::De(nodo);
    while (xmlNodePtr hijo = nodo->children) {
        xmlUnlinkNode(hijo);
        sueltos.Guardar(hijo);
    }
}

} // namespace

std::string XmlNode::nombre() const {
    return NombreDe(Existente(nodo_));
}

std::string XmlNode::text() const {
    return TomarDeXml(xmlNodeGetContent(Existente(nodo_)));
}

void XmlNode::setText(std::string_view texto) {
    xmlNodePtr nodo = Existente(nodo_);
    std::string valor(texto);
    switch (nodo->type) {
    case XML_ELEMENT_NODE: {
        SacarHijos(nodo);
        if (!valor.empty()) {
            xmlAddChild(
                nodo, xmlNewDocTextLen(nodo->doc, ComoXml(valor), static_cast<int>(valor.size())));
        }
        break;
    }
    case XML_ATTRIBUTE_NODE:
        xmlSetNsProp(nodo->parent, nodo->ns, nodo->name, ComoXml(valor));
        break;
    default: // text, CDATA, comment, processing instruction: content taken as it stands
        xmlNodeSetContentLen(nodo, ComoXml(valor), static_cast<int>(valor.size()));
    }
}

XmlNode XmlNode::firstChild() const {
    return XmlNode(Existente(nodo_)->children);
}

XmlNodeList XmlNode::selectNodes(std::string_view xpath) const {
    return Seleccionar(Existente(nodo_), xpath, false);
}

XmlNode XmlNode::selectSingleNode(std::string_view xpath) const {
    return Seleccionar(Existente(nodo_), xpath, true).item(0);
}

void XmlNode::setAttribute(std::string_view nombre, std::string_view valor) {
    xmlNodePtr nodo = Existente(nodo_);
    std::string n(nombre);
    if (nodo->type != XML_ELEMENT_NODE || xmlValidateName(ComoXml(n), 0) != 0) {
        throw Error("No se puede poner el atributo «" + n + "» al nodo «" + NombreDe(nodo) + "»");
    }
    // An attribute already set keeps its place; a new one goes after the others.
    xmlSetProp(nodo, ComoXml(n), ComoXml(std::string(valor)));
}

void XmlNode::setAttribute(std::string_view nombre, long long valor) {
    setAttribute(nombre, std::to_string(valor));
}

std::string XmlNode::getAttribute(std::string_view nombre) const {
    return TomarDeXml(xmlGetProp(Existente(nodo_), ComoXml(std::string(nombre))));
}

XmlNode XmlNode::appendChild(XmlNode hijo) {
    xmlNodePtr padre = Existente(nodo_);
    xmlNodePtr nuevo = Existente(hijo.nodo_);
    if (padre->type != XML_ELEMENT_NODE || nuevo->doc != padre->doc ||
        nuevo->type == XML_ATTRIBUTE_NODE || nuevo->type == XML_DOCUMENT_NODE) {
        throw Error("No se puede añadir el nodo «" + NombreDe(nuevo) + "» dentro de «" +
                    NombreDe(padre) + "»");
    }
    for (xmlNodePtr p = padre; p != nullptr; p = p->parent) {
        if (p == nuevo) {
            throw Error("No se puede añadir el nodo «" + NombreDe(nuevo) + "» dentro de sí mismo");
        }
    }
    NodosSueltos& sueltos = NodosSueltos::De(padre);
    xmlUnlinkNode(nuevo);
    sueltos.Soltar(nuevo);
    // Text may be merged into a text child already there: that node is the one to give back.
    return XmlNode(xmlAddChild(padre, nuevo));
}

void XmlNode::removeChild(XmlNode hijo) {
    xmlNodePtr padre = Existente(nodo_);
    xmlNodePtr quitado = Existente(hijo.nodo_);
    if (quitado->parent != padre || quitado->type == XML_ATTRIBUTE_NODE) {
        throw Error("El nodo «" + NombreDe(quitado) + "» no es hijo de «" + NombreDe(padre) + "»");
    }
    xmlUnlinkNode(quitado);
    NodosSueltos::De(padre).Guardar(quitado);
}

} // namespace belvaro
