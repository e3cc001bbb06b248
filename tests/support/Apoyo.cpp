#include "tests/support/Apoyo.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace belvaro::prueba {

namespace fs = std::filesystem;

CarpetaTemporal::CarpetaTemporal() {
    std::string plantilla = (fs::temp_directory_path() / "belvaro-XXXXXX").string();
    if (mkdtemp(plantilla.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    ruta_ = plantilla;
}

CarpetaTemporal::~CarpetaTemporal() {
    std::error_code error;
    fs::permissions(ruta_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(ruta_, error);
}

void EscribirArchivo(const fs::path& ruta, const std::string& bytes) {
    std::ofstream salida(ruta, std::ios::binary | std::ios::trunc);
    salida.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!salida)
        throw std::runtime_error("cannot write " + ruta.string());
}

std::string LeerArchivo(const fs::path& ruta) {
    std::ifstream entrada(ruta, std::ios::binary);
    if (!entrada)
        throw std::runtime_error("cannot read " + ruta.string());
    std::ostringstream texto;
    texto << entrada.rdbuf();
    return texto.str();
}

namespace {
std::string Escapar(const std::string& texto) {
    std::string resultado;
    for (char c : texto) {
        switch (c) {
        case '&': resultado += "&amp;"; break;
        case '<': resultado += "&lt;"; break;
        case '>': resultado += "&gt;"; break;
        case '"': resultado += "&quot;"; break;
        default: resultado += c;
        }
    }
    return resultado;
}

std::string Datos(const DocumentoSeneca::Valores& valores) {
    std::string xml;
    int n = 0;
    for (const auto& valor : valores)
        xml += "<dato nombre_dato=\"V" + std::to_string(n++) + "\">" + Escapar(valor) + "</dato>";
    return xml;
}
} // namespace

DocumentoSeneca& DocumentoSeneca::Directo(const std::string& seq, const Valores& valores) {
    cuerpo_ += "<grupo_datos seq=\"" + seq + "\">" + Datos(valores) + "</grupo_datos>\n";
    return *this;
}

DocumentoSeneca& DocumentoSeneca::Lista(const std::string& seq,
                                        const std::vector<Valores>& registros) {
    cuerpo_ += "<grupo_datos seq=\"" + seq + "\" registros=\"" +
               std::to_string(registros.size()) + "\">\n";
    for (const auto& registro : registros)
        cuerpo_ += "  <grupo_datos>" + Datos(registro) + "</grupo_datos>\n";
    cuerpo_ += "</grupo_datos>\n";
    return *this;
}

DocumentoSeneca& DocumentoSeneca::Crudo(const std::string& xml) {
    cuerpo_ += xml;
    return *this;
}

std::string DocumentoSeneca::Xml() const {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<SERVICIO modulo=\"HORARIOS\" tipo=\"E\" autor=\"SENECA\" fecha=\"01/09/2026 "
           "10:00:00\">\n<BLOQUE_DATOS>\n" +
           cuerpo_ + "</BLOQUE_DATOS>\n</SERVICIO>\n";
}

void DocumentoSeneca::Guardar(const fs::path& ruta) const { EscribirArchivo(ruta, Xml()); }

std::optional<fs::path> InterlocutorPrueba::ElegirArchivo(const fs::path& carpetaInicial) {
    carpetasIniciales.push_back(carpetaInicial);
    if (archivos.empty())
        return std::nullopt;
    auto respuesta = archivos.front();
    archivos.pop_front();
    return respuesta;
}

void InterlocutorPrueba::Mensaje(const std::string& texto) { mensajes.push_back(texto); }

void InterlocutorPrueba::MostrarControlCursos(TurnoCursos& t) {
    ++turnos;
    if (turno)
        turno(t);
}

void InterlocutorPrueba::CerrarVentanaPrincipal() { ++ventanasCerradas; }

} // namespace belvaro::prueba
