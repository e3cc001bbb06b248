#include "seneca/XmlDocument.h"

#include "app/Error.h"
#include "seneca/CargaXml.h"
#include "seneca/EscrituraXml.h"
#include "seneca/NodosSueltos.h"
#include "seneca/Seleccion.h"
#include "seneca/XmlTexto.h"

namespace belvaro {

// The detached nodes are declared after the document so that they are freed before
// it: their names may live in the document's dictionary.
struct XmlDocument::Impl {
    DocumentoXml doc;
    NodosSueltos sueltos;
    Prologo prologo;
};

namespace {

DocumentoXml DocumentoVacio() {
    DocumentoXml doc(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0")));
    if (!doc) {
        throw Error("No hay memoria para crear un documento XML");
    }
    return doc;
}

xmlNodePtr ComoNodo(xmlDocPtr doc) {
    return reinterpret_cast<xmlNodePtr>(doc);
}

} // namespace

XmlDocument::XmlDocument() : impl_(std::make_unique<Impl>()) {
    impl_->doc = DocumentoVacio();
    NodosSueltos::Enlazar(impl_->doc.get(), impl_->sueltos);
}

XmlDocument::~XmlDocument() = default;
XmlDocument::XmlDocument(XmlDocument&&) noexcept = default;
XmlDocument& XmlDocument::operator=(XmlDocument&&) noexcept = default;

void XmlDocument::load(const std::filesystem::path& archivo) {
    XmlCargado cargado = CargarXml(archivo, kTamanoMaximo);
    auto nuevo = std::make_unique<Impl>();
    nuevo->doc = std::move(cargado.doc);
    nuevo->prologo = std::move(cargado.prologo);
    NodosSueltos::Enlazar(nuevo->doc.get(), nuevo->sueltos);
    impl_ = std::move(nuevo); // the earlier document goes, with its detached nodes
}

XmlNode XmlDocument::documentElement() const {
    return XmlNode(xmlDocGetRootElement(impl_->doc.get()));
}

XmlNode XmlDocument::firstChild() const {
    return XmlNode(impl_->doc->children);
}

XmlNodeList XmlDocument::selectNodes(std::string_view xpath) const {
    return Seleccionar(ComoNodo(impl_->doc.get()), xpath, false);
}

XmlNode XmlDocument::selectSingleNode(std::string_view xpath) const {
    return Seleccionar(ComoNodo(impl_->doc.get()), xpath, true).item(0);
}

XmlNode XmlDocument::createElement(std::string_view nombre) {
    return createNode(1, nombre, "");
}

XmlNode XmlDocument::createNode(int tipo, std::string_view nombre,
                                std::string_view espacioNombres) {
    std::string n(nombre);
    if (tipo != XML_ELEMENT_NODE) {
        throw Error("Solo se pueden crear nodos de tipo elemento (se pidió el tipo " +
                    std::to_string(tipo) + " para «" + n + "»)");
    }
    if (xmlValidateQName(ComoXml(n), 0) != 0) {
        throw Error("«" + n + "» no es un nombre de elemento XML válido");
    }
    std::string local = n;
    std::string prefijo;
    if (auto dos = n.find(':'); dos != std::string::npos) {
        prefijo = n.substr(0, dos);
        local = n.substr(dos + 1);
    }
    xmlNodePtr nodo = xmlNewDocNode(impl_->doc.get(), nullptr, ComoXml(local), nullptr);
    if (nodo == nullptr) {
        throw Error("No hay memoria para crear el elemento «" + n + "»");
    }
    impl_->sueltos.Guardar(nodo);
    if (!espacioNombres.empty()) {
        xmlNsPtr ns = xmlNewNs(nodo, ComoXml(std::string(espacioNombres)),
                               prefijo.empty() ? nullptr : ComoXml(prefijo));
        xmlSetNs(nodo, ns);
    } else if (!prefijo.empty()) {
        throw Error("El elemento «" + n + "» lleva prefijo pero no espacio de nombres");
    }
    return XmlNode(nodo);
}

XmlNode XmlDocument::appendChild(XmlNode hijo) {
    xmlNodePtr nuevo = hijo.raw();
    if (nuevo == nullptr || nuevo->doc != impl_->doc.get()) {
        throw Error("No se puede añadir al documento un nodo que no es suyo");
    }
    bool esElemento = nuevo->type == XML_ELEMENT_NODE;
    if (!esElemento && nuevo->type != XML_COMMENT_NODE && nuevo->type != XML_PI_NODE) {
        throw Error("Un documento XML solo admite elementos, comentarios e instrucciones en "
                    "su primer nivel");
    }
    xmlNodePtr raiz = xmlDocGetRootElement(impl_->doc.get());
    if (esElemento && raiz != nullptr && raiz != nuevo) {
        throw Error("El documento XML ya tiene el elemento raíz «" + DeXml(raiz->name) +
                    "»; no se le puede añadir «" + DeXml(nuevo->name) + "»");
    }
    xmlUnlinkNode(nuevo);
    impl_->sueltos.Soltar(nuevo);
    return XmlNode(xmlAddChild(ComoNodo(impl_->doc.get()), nuevo));
}

void XmlDocument::removeChild(XmlNode hijo) {
    XmlNode(ComoNodo(impl_->doc.get())).removeChild(hijo);
}

void XmlDocument::save(const std::filesystem::path& archivo) const {
    GuardarArchivoAtomico(archivo, serializar());
}

std::string XmlDocument::serializar() const {
    return SerializarXml(impl_->doc.get(), impl_->prologo);
}

} // namespace belvaro
