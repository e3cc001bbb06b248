#include "tests/robustez/EntradasMalas.h"

#include "tests/support/Apoyo.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace belvaro::robustez {

namespace fs = std::filesystem;

Bloques ColegioPequeno() {
    return {
        {"ANNO_ACADEMICO", {{"2024", "15/09/2024", "22/06/2025"}}},
        {"CURSOS_DEL_CENTRO",
         {{"1001", "1º de Educación Secundaria Obligatoria"}, {"1002", "2º de Bachillerato"}}},
        {"MATERIAS", {{"1001", "M1", "Matemáticas"}, {"1002", "M3", "Historia de España"}}},
        {"ACTIVIDADES", {{"0", "A1", "Guardia"}}},
        {"EMPLEADOS", {{"E1", "01/09/2020", "Matemáticas", "Ana", "García", "López"}}},
        {"DEPENDENCIAS", {{"D1", "Aula 1"}}},
        {"UNIDADES", {{"U1", "1º A", "1001"}, {"U3", "2º", "1002"}}},
        {"TRAMOS_HORARIOS", {{"T1", "1ª", "480", "540"}, {"T2", "2ª", "540", "600"}}},
    };
}

std::string XmlDe(const Bloques& bloques) {
    prueba::DocumentoSeneca doc;
    for (const auto& [seq, registros] : bloques) {
        if (seq == "ANNO_ACADEMICO")
            doc.Directo(seq, registros.empty() ? Registro{} : registros.front());
        else
            doc.Lista(seq, registros);
    }
    return doc.Xml();
}

std::string NivelesColegioPequeno() {
    return "CLAVE;NIVEL;CURSO\n1001;ESO;1\n1002;BCT;2\n";
}

std::string BasuraBinaria() {
    std::mt19937 azar(7);
    std::string bytes(4096, '\0');
    for (char& c : bytes)
        c = static_cast<char>(azar() & 0xFF);
    return bytes;
}

std::string XmlQueNoEsSeneca() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<html><body><p>Hola</p></body></html>\n";
}

std::string Truncado(const std::string& xml) {
    return xml.substr(0, xml.size() / 2);
}

std::string CodificacionFalsa() {
    // "Educación" in Latin-1 under a UTF-8 declaration.
    std::string xml = XmlDe(ColegioPequeno());
    const std::string utf8 = "Educación";
    const auto donde = xml.find(utf8);
    if (donde == std::string::npos)
        throw std::logic_error("el colegio pequeño ya no dice Educación");
    xml.replace(donde, utf8.size(), "Educaci\xF3n");
    return xml;
}

std::string Utf16Roto() {
    std::string bytes = "\xFF\xFE";
    for (char c : std::string("<?xml "))
        bytes += {c, '\0'};
    return bytes + "\xD8\xD8\xD8\xD8"; // two high surrogates in a row
}

std::string BombaDeEntidades() {
    std::string dtd =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE SERVICIO [\n<!ENTITY a0 \"jajajajaja\">\n";
    for (int i = 1; i <= 12; ++i) {
        dtd += "<!ENTITY a" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k)
            dtd += "&a" + std::to_string(i - 1) + ";";
        dtd += "\">\n";
    }
    return dtd + "]>\n<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"ANNO_ACADEMICO\">"
                 "<dato>&a12;</dato><dato>x</dato></grupo_datos></BLOQUE_DATOS></SERVICIO>\n";
}

std::string EntidadExterna(const fs::path& secreto) {
    std::string xml = XmlDe(ColegioPequeno());
    const auto prologo = xml.find("?>") + 2;
    xml.insert(prologo, "\n<!DOCTYPE SERVICIO [<!ENTITY secreto SYSTEM \"file://" +
                            secreto.string() + "\">]>");
    const std::string nombre = "Aula 1";
    xml.replace(xml.find(nombre), nombre.size(), "&secreto;");
    return xml;
}

std::string Anidado(int profundidad) {
    std::string xml = "<?xml version=\"1.0\"?>\n<SERVICIO><BLOQUE_DATOS>";
    xml.reserve(xml.size() + static_cast<std::size_t>(profundidad) * 7);
    for (int i = 0; i < profundidad; ++i)
        xml += "<a>";
    for (int i = 0; i < profundidad; ++i)
        xml += "</a>";
    return xml + "</BLOQUE_DATOS></SERVICIO>\n";
}

void ArchivoDisperso(const fs::path& ruta, std::uintmax_t tamano) {
    { std::ofstream(ruta, std::ios::binary) << "<?xml version=\"1.0\"?>\n<SERVICIO>"; }
    fs::resize_file(ruta, tamano);
}

void Truncar(const fs::path& tabla, double fraccion) {
    fs::resize_file(
        tabla, static_cast<std::uintmax_t>(static_cast<double>(fs::file_size(tabla)) * fraccion));
}

void CabeceraMentirosa(const fs::path& tabla, std::uint32_t registros,
                       std::uint16_t longitudRegistro) {
    std::fstream archivo(tabla, std::ios::binary | std::ios::in | std::ios::out);
    // dBase header: record count at 4 (32 bits), record length at 10 (16 bits), little-endian.
    const char cuenta[4] = {
        static_cast<char>(registros & 0xFF), static_cast<char>((registros >> 8) & 0xFF),
        static_cast<char>((registros >> 16) & 0xFF), static_cast<char>((registros >> 24) & 0xFF)};
    archivo.seekp(4);
    archivo.write(cuenta, 4);
    const char longitud[2] = {static_cast<char>(longitudRegistro & 0xFF),
                              static_cast<char>((longitudRegistro >> 8) & 0xFF)};
    archivo.seekp(10);
    archivo.write(longitud, 2);
    if (!archivo)
        throw std::runtime_error("no se pudo dañar la cabecera de " + tabla.string());
}

} // namespace belvaro::robustez
