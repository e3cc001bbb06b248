#include "seneca/EscrituraXml.h"

#include "app/Error.h"

#include <libxml/xmlsave.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <random>
#include <unistd.h>

namespace belvaro {
namespace {

int AnadirBytes(void* destino, const char* bytes, int largo) {
    static_cast<std::string*>(destino)->append(bytes, static_cast<std::size_t>(largo));
    return largo;
}

// The declared encoding; the parser keeps it in the document. UTF-8 when none was named.
const char* CodificacionDe(xmlDocPtr doc, const Prologo& prologo) {
    if (prologo.declaracion.empty() || doc->encoding == nullptr) {
        return "UTF-8";
    }
    return reinterpret_cast<const char*>(doc->encoding);
}

// One save context writing into a string; closed (and flushed) with the object.
class Escritor {
public:
    Escritor(std::string& destino, const char* codificacion)
        : ctxt_(xmlSaveToIO(&AnadirBytes, nullptr, &destino, codificacion, XML_SAVE_NO_DECL)) {
        if (ctxt_ == nullptr) {
            throw Error(std::string("No se puede escribir un documento XML en la codificación ") +
                        codificacion);
        }
    }
    ~Escritor() {
        if (ctxt_ != nullptr) {
            xmlSaveClose(ctxt_);
        }
    }
    Escritor(const Escritor&) = delete;
    Escritor& operator=(const Escritor&) = delete;

    void Nodo(xmlNodePtr nodo) {
        if (xmlSaveTree(ctxt_, nodo) < 0 || xmlSaveFlush(ctxt_) < 0) {
            throw Error("No se ha podido convertir el documento XML a su codificación");
        }
    }

private:
    xmlSaveCtxtPtr ctxt_;
};

// A file descriptor under a temporary name, removed unless renamed into place.
class ArchivoTemporal {
public:
    explicit ArchivoTemporal(const std::filesystem::path& destino) : destino_(destino) {
        std::random_device azar;
        for (int intento = 0; intento < 100 && fd_ < 0; ++intento) {
            ruta_ = destino;
            ruta_ += ".tmp" + std::to_string(azar());
            fd_ = ::open(ruta_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST) {
                Fallo();
            }
        }
        if (fd_ < 0) {
            Fallo();
        }
    }
    ~ArchivoTemporal() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!colocado_) {
            ::unlink(ruta_.c_str());
        }
    }
    ArchivoTemporal(const ArchivoTemporal&) = delete;
    ArchivoTemporal& operator=(const ArchivoTemporal&) = delete;

    void Escribir(std::string_view bytes) {
        std::size_t hecho = 0;
        while (hecho < bytes.size()) {
            ssize_t n = ::write(fd_, bytes.data() + hecho, bytes.size() - hecho);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                Fallo();
            }
            hecho += static_cast<std::size_t>(n);
        }
    }

    void Colocar() {
        int fd = fd_;
        fd_ = -1;
        bool escrito = ::fsync(fd) == 0;
        bool cerrado = ::close(fd) == 0;
        if (!escrito || !cerrado) {
            Fallo();
        }
        if (::rename(ruta_.c_str(), destino_.c_str()) != 0) {
            Fallo();
        }
        colocado_ = true;
    }

private:
    [[noreturn]] void Fallo() const {
        throw Error("No se puede guardar el archivo " + destino_.string() + ": " +
                    std::strerror(errno));
    }

    std::filesystem::path destino_;
    std::filesystem::path ruta_;
    int fd_ = -1;
    bool colocado_ = false;
};

} // namespace

std::string SerializarXml(xmlDocPtr doc, const Prologo& prologo) {
    std::string bytes = prologo.declaracion;
    bool primero = prologo.declaracion.empty();
    Escritor escritor(bytes, CodificacionDe(doc, prologo));
    for (xmlNodePtr nodo = doc->children; nodo != nullptr; nodo = nodo->next) {
        if (!primero) {
            bytes += prologo.separador;
        }
        primero = false;
        escritor.Nodo(nodo);
    }
    if (doc->children != nullptr) {
        bytes += prologo.final;
    }
    return bytes;
}

void GuardarArchivoAtomico(const std::filesystem::path& archivo, const std::string& bytes) {
    GuardarArchivoAtomico(archivo, {std::string_view(bytes)});
}

void GuardarArchivoAtomico(const std::filesystem::path& archivo,
                           std::initializer_list<std::string_view> partes) {
    ArchivoTemporal temporal(archivo);
    for (std::string_view parte : partes) {
        temporal.Escribir(parte);
    }
    temporal.Colocar();
}

} // namespace belvaro
