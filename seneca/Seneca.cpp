#include "seneca/Seneca.h"

#include "app/Clipper.h"
#include "app/Error.h"
#include "seneca/CodePage.h"

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

std::string RegistroSeneca::valor(int posicion) const {
    if (!tiene(posicion)) {
        return std::string();
    }
    return AllTrim(Utf8AAnsi(datos_.item(posicion).text()));
}

RegistroSeneca DatosDe(XmlNode nodo) {
    return RegistroSeneca(nodo.selectNodes("dato"));
}

void RecorrerBloque(const XmlDocument& doc, std::string_view bloque, int posicionMaxima,
                    InformeLectura& informe,
                    const std::function<void(const RegistroSeneca&)>& porRegistro,
                    bool sinPruebaDeDatos) {
    XmlNodeList registros = doc.selectNodes(ExpresionBloque(bloque));
    for (int i = 0; i < registros.length(); ++i) {
        RegistroSeneca registro = DatosDe(registros.item(i));
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
