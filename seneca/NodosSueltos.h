#pragma once

#include <libxml/tree.h>

#include <unordered_set>

namespace belvaro {

// The nodes of one document that are out of its tree: made and not yet appended, or
// removed. They stay alive (callers may still hold them or append them again) and are
// freed with the document. Reached from any node through its document's _private.
class NodosSueltos {
public:
    NodosSueltos() = default;
    ~NodosSueltos();
    NodosSueltos(const NodosSueltos&) = delete;
    NodosSueltos& operator=(const NodosSueltos&) = delete;

    // The node has just left the tree, or was just made.
    void Guardar(xmlNodePtr nodo) { nodos_.insert(nodo); }
    // The node is about to enter a tree.
    void Soltar(xmlNodePtr nodo) { nodos_.erase(nodo); }

    // The set of the document the node belongs to.
    static NodosSueltos& De(xmlNodePtr nodo);
    static void Enlazar(xmlDocPtr doc, NodosSueltos& sueltos) { doc->_private = &sueltos; }

private:
    std::unordered_set<xmlNodePtr> nodos_;
};

} // namespace belvaro
