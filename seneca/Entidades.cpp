#include "seneca/Entidades.h"

#include "app/Error.h"

#include <libxml/entities.h>

#include <map>
#include <string>

namespace belvaro {
namespace {

constexpr int kProfundidadMaxima = 40;

class Vigilante {
public:
    Vigilante(xmlDocPtr doc, std::uintmax_t limite, const std::filesystem::path& archivo)
        : doc_(doc), limite_(limite), archivo_(archivo) {}

    // Text bytes of the nodes from primero on, with their descendants and the entity
    // references among them expanded.
    std::uintmax_t Lista(xmlNodePtr primero, int profundidad) {
        std::uintmax_t total = 0;
        for (xmlNodePtr nodo = primero; nodo != nullptr; nodo = nodo->next) {
            total = Sumar(total, Nodo(nodo, profundidad));
        }
        return total;
    }

    void Documento() {
        std::uintmax_t total = 0;
        // Elements are walked without recursion; only entity contents recurse, and
        // their depth is bounded.
        xmlNodePtr nodo = doc_->children;
        while (nodo != nullptr) {
            if (nodo->type == XML_ENTITY_REF_NODE) {
                linea_ = xmlGetLineNo(nodo);
                total = Sumar(total, Entidad(nodo->name, 1));
            }
            if (nodo->type == XML_ELEMENT_NODE) {
                for (xmlAttrPtr a = nodo->properties; a != nullptr; a = a->next) {
                    linea_ = xmlGetLineNo(nodo);
                    total = Sumar(total, Lista(a->children, 1));
                }
                if (nodo->children != nullptr) {
                    nodo = nodo->children;
                    continue;
                }
            }
            while (nodo != nullptr && nodo->next == nullptr) {
                nodo = nodo->parent == reinterpret_cast<xmlNodePtr>(doc_) ? nullptr : nodo->parent;
            }
            if (nodo != nullptr) {
                nodo = nodo->next;
            }
        }
    }

private:
    std::uintmax_t Nodo(xmlNodePtr nodo, int profundidad) {
        switch (nodo->type) {
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
            return nodo->content == nullptr ? 0 : xmlStrlen(nodo->content);
        case XML_ENTITY_REF_NODE:
            return Entidad(nodo->name, profundidad + 1);
        case XML_ELEMENT_NODE:
            return Lista(nodo->children, profundidad);
        default:
            return 0;
        }
    }

    std::uintmax_t Entidad(const xmlChar* nombre, int profundidad) {
        xmlEntityPtr entidad = xmlGetDocEntity(doc_, nombre);
        if (entidad == nullptr || entidad->etype == XML_INTERNAL_PREDEFINED_ENTITY) {
            return 0;
        }
        if (profundidad > kProfundidadMaxima) {
            Rechazar("entidades anidadas a más de " + std::to_string(kProfundidadMaxima) +
                     " niveles");
        }
        if (auto hecho = tamanos_.find(entidad); hecho != tamanos_.end()) {
            return hecho->second;
        }
        std::uintmax_t tamano = Lista(entidad->children, profundidad);
        tamanos_[entidad] = tamano;
        return tamano;
    }

    std::uintmax_t Sumar(std::uintmax_t a, std::uintmax_t b) {
        if (b > limite_ || a > limite_ - b) {
            Rechazar("las entidades se expanden a más de " + std::to_string(limite_) +
                     " bytes de texto");
        }
        return a + b;
    }

    [[noreturn]] void Rechazar(const std::string& motivo) const {
        throw Error("El archivo " + archivo_.string() + " no es un XML válido (línea " +
                    std::to_string(linea_) + "): " + motivo);
    }

    xmlDocPtr doc_;
    std::uintmax_t limite_;
    const std::filesystem::path& archivo_;
    long linea_ = 0;
    std::map<xmlEntityPtr, std::uintmax_t> tamanos_;
};

} // namespace

void VigilarEntidades(xmlDocPtr doc, std::uintmax_t limite, const std::filesystem::path& archivo) {
    Vigilante(doc, limite, archivo).Documento();
}

} // namespace belvaro
