#include "seneca/Seneca.h"

#include "app/Clipper.h"
#include "app/Error.h"
#include "seneca/CodePage.h"

#include <libxml/tree.h>

namespace belvaro {

std::string ExpresionBloque(std::string_view bloque) {
    std::string nombre(bloque);
    bool conComillas = nombre.find('"') != std::string::npos;
    if (conComillas && nombre.find('\'') != std::string::npos) {
        throw Error("El nombre de bloque «" + nombre + "» no se puede buscar en un documento");
    }
    std::string comilla = conComillas ? "'" : "\"";
    return std::string(kTodosLosBloques) + "[@seq=" + comilla + nombre + comilla + "]/grupo_datos";
}

namespace {

// The text of a value: read in place when it is a single text node (nearly always),
// through the document service otherwise.
std::string_view TextoDe(XmlNode dato, std::string& copia) {
    const xmlNode* hijo = dato.raw()->children;
    if (hijo == nullptr) {
        return {};
    }
    if (hijo->next == nullptr && hijo->type == XML_TEXT_NODE && hijo->content != nullptr) {
        return reinterpret_cast<const char*>(hijo->content);
    }
    copia = dato.text();
    return copia;
}

// Spaces at either end. A space is one byte in both code pages and no other character
// becomes one, so trimming before the conversion gives what trimming after it would.
std::string_view SinEspacios(std::string_view texto) {
    const auto primero = texto.find_first_not_of(' ');
    if (primero == std::string_view::npos) {
        return {};
    }
    return texto.substr(primero, texto.find_last_not_of(' ') - primero + 1);
}

bool EsDato(const xmlNode* nodo) {
    return nodo->type == XML_ELEMENT_NODE && nodo->ns == nullptr &&
           xmlStrEqual(nodo->name, reinterpret_cast<const xmlChar*>("dato"));
}

} // namespace

RegistroSeneca::RegistroSeneca(const XmlNodeList& datos) {
    datos_.reserve(static_cast<std::size_t>(datos.length()));
    for (int i = 0; i < datos.length(); ++i) {
        datos_.push_back(datos.item(i));
    }
}

std::string RegistroSeneca::valor(int posicion) const {
    if (!tiene(posicion)) {
        return std::string();
    }
    std::string copia;
    return conversor_(SinEspacios(TextoDe(datos_[static_cast<std::size_t>(posicion)], copia)));
}

void RegistroSeneca::Leer(XmlNode nodo) {
    if (!nodo) {
        throw Error("Se ha pedido un nodo que no existe en el documento XML");
    }
    datos_.clear();
    for (xmlNode* hijo = nodo.raw()->children; hijo != nullptr; hijo = hijo->next) {
        if (EsDato(hijo)) {
            datos_.emplace_back(hijo);
        }
    }
}

RegistroSeneca DatosDe(XmlNode nodo) {
    RegistroSeneca registro;
    registro.Leer(nodo);
    return registro;
}

void RecorrerBloque(const XmlDocument& doc, std::string_view bloque, int posicionMaxima,
                    InformeLectura& informe,
                    const std::function<void(const RegistroSeneca&)>& porRegistro,
                    bool sinPruebaDeDatos) {
    XmlNodeList registros = doc.selectNodes(ExpresionBloque(bloque));
    RegistroSeneca registro;
    for (int i = 0; i < registros.length(); ++i) {
        registro.Leer(registros.item(i));
        if (!sinPruebaDeDatos && registro.length() <= 1) {
            informe.bloques[std::string(bloque)].saltados.insert(i);
            continue;
        }
        if (!registro.tiene(posicionMaxima)) {
            informe.bloques[std::string(bloque)].incompletos.insert(i);
        }
        porRegistro(registro);
    }
}

std::vector<std::string> AvisosDeLectura(const InformeLectura& informe) {
    std::vector<std::string> avisos;
    for (const auto& [bloque, leido] : informe.bloques) {
        std::size_t n = leido.incompletos.size();
        if (n == 1) {
            avisos.push_back("1 registro del bloque " + bloque + " no traía todos los datos");
        } else if (n > 1) {
            avisos.push_back(std::to_string(n) + " registros del bloque " + bloque +
                             " no traían todos los datos");
        }
    }
    return avisos;
}

std::string AnnoEscolar(const XmlDocument& doc, const std::string& archivo) {
    XmlNode datos = doc.selectSingleNode("/SERVICIO/BLOQUE_DATOS");
    if (!datos) {
        throw Error("El archivo " + archivo +
                    " no es un documento de Séneca: le falta /SERVICIO/BLOQUE_DATOS");
    }
    XmlNode primero = datos.firstChild();
    if (!primero) {
        throw Error("El archivo " + archivo +
                    " no trae el curso escolar: /SERVICIO/BLOQUE_DATOS está vacío");
    }
    return Utf8AAnsi(primero.text()).substr(0, 4);
}

} // namespace belvaro
