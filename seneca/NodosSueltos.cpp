#include "seneca/NodosSueltos.h"

#include "app/Error.h"
#include "seneca/XmlTexto.h"

namespace belvaro {

NodosSueltos::~NodosSueltos() {
    for (xmlNodePtr nodo : nodos_) {
        xmlFreeNode(nodo);
    }
}

NodosSueltos& NodosSueltos::De(xmlNodePtr nodo) {
    if (nodo->doc == nullptr || nodo->doc->_private == nullptr) {
        throw Error("El nodo «" + DeXml(nodo->name) + "» no pertenece a ningún documento abierto");
    }
    return *static_cast<NodosSueltos*>(nodo->doc->_private);
}

} // namespace belvaro
