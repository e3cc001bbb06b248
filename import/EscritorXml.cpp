#include "import/EscritorXml.h"

#include "app/Error.h"

#include <libxml/encoding.h>
#include <libxml/xmlwriter.h>

namespace belvaro {

namespace {

int Anadir(void* destino, const char* bytes, int largo) {
    static_cast<std::string*>(destino)->append(bytes, static_cast<std::size_t>(largo));
    return largo;
}

const xmlChar* ComoXml(const char* texto) {
    return reinterpret_cast<const xmlChar*>(texto);
}

} // namespace

EscritorXml::EscritorXml(const std::string& codificacion) : codificacion_(codificacion) {
    xmlCharEncodingHandlerPtr conversor = xmlFindCharEncodingHandler(codificacion.c_str());
    if (conversor == nullptr)
        throw Error("No se puede escribir XML en la codificación " + codificacion + ".");
    xmlOutputBufferPtr salida = xmlOutputBufferCreateIO(&Anadir, nullptr, &bytes_, conversor);
    if (salida == nullptr)
        throw Error("No se puede escribir XML en la codificación " + codificacion + ".");
    escritor_ = xmlNewTextWriter(salida);
    if (escritor_ == nullptr) {
        xmlOutputBufferClose(salida);
        throw Error("No se puede preparar la escritura de XML.");
    }
}

EscritorXml::~EscritorXml() {
    xmlFreeTextWriter(escritor_);
}

void EscritorXml::Comprobar(int resultado, const char* que) const {
    if (resultado < 0)
        throw Error(std::string("No se ha podido escribir ") + que + " en XML (" + codificacion_ +
                    ").");
}

void EscritorXml::Abrir(const char* nombre) {
    Comprobar(xmlTextWriterStartElement(escritor_, ComoXml(nombre)), nombre);
}

void EscritorXml::Atributo(const char* nombre, std::string_view utf8) {
    const std::string valor(utf8);
    Comprobar(xmlTextWriterWriteAttribute(escritor_, ComoXml(nombre), ComoXml(valor.c_str())),
              nombre);
}

void EscritorXml::Texto(std::string_view utf8) {
    const std::string valor(utf8);
    Comprobar(xmlTextWriterWriteString(escritor_, ComoXml(valor.c_str())), "un texto");
}

void EscritorXml::Cerrar() {
    Comprobar(xmlTextWriterEndElement(escritor_), "un cierre");
}

std::string EscritorXml::Tomar() {
    Comprobar(xmlTextWriterFlush(escritor_), "el final");
    std::string hecho;
    hecho.swap(bytes_);
    return hecho;
}

} // namespace belvaro
