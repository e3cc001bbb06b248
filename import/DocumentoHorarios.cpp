#include "import/DocumentoHorarios.h"

#include "app/Error.h"
#include "seneca/CodePage.h"
#include "seneca/EscrituraXml.h"

#include <libxml/tree.h>

#include <ctime>

namespace belvaro {

namespace {
constexpr const char* kRutaBloqueDatos = "/SERVICIO/BLOQUE_DATOS";
constexpr int kNodoElemento = 1;

// A block name followed by its number ("ACTIVIDAD_3").
std::string Numerado(std::string_view nombre, int numero) {
    std::string seq(nombre);
    seq += std::to_string(numero);
    return seq;
}
} // namespace

std::string FechaDocumento(std::chrono::system_clock::time_point instante) {
    const std::time_t segundos = std::chrono::system_clock::to_time_t(instante);
    std::tm local{};
    localtime_r(&segundos, &local);
    char texto[32];
    const std::size_t largo = std::strftime(texto, sizeof texto, "%d/%m/%Y %H:%M:%S", &local);
    return std::string(texto, largo);
}

XmlNode DocumentoHorarios::NuevoDato(const char* nombre, std::string_view valorAnsi) {
    XmlNode dato = doc_.createElement("dato");
    dato.setAttribute("nombre_dato", nombre);
    if (!valorAnsi.empty())
        dato.setText(AnsiAUtf8(valorAnsi));
    return dato;
}

void DocumentoHorarios::Preparar(const std::string& anno, const std::string& fecha) {
    XmlNode raiz = doc_.documentElement();
    raiz.removeChild(raiz.selectSingleNode(kRutaBloqueDatos));
    doc_.removeChild(doc_.selectSingleNode("/SERVICIO"));

    XmlNode servicio = doc_.createElement("SERVICIO");
    servicio.setAttribute("modulo", "HORARIOS");
    servicio.setAttribute("tipo", "I");
    servicio.setAttribute("autor", "ZELTORA");
    servicio.setAttribute("fecha", fecha);
    doc_.appendChild(servicio);
    doc_.selectSingleNode("/SERVICIO")
        .appendChild(doc_.createNode(kNodoElemento, "BLOQUE_DATOS", ""));

    XmlNode bloque = doc_.selectSingleNode(kRutaBloqueDatos);
    XmlNode annoAcademico = doc_.createElement("grupo_datos");
    annoAcademico.setAttribute("seq", "ANNO_ACADEMICO");
    annoAcademico.appendChild(NuevoDato("C_ANNO", anno));
    bloque.appendChild(annoAcademico);
}

void DocumentoHorarios::AbrirHorariosRegulares(int profesores) {
    horariosRegulares_ =
        doc_.selectSingleNode(kRutaBloqueDatos).appendChild(doc_.createElement("grupo_datos"));
    horariosRegulares_.setAttribute("seq", "HORARIOS_REGULARES");
    horariosRegulares_.setAttribute("registros", profesores);

    const std::string bytes = doc_.serializar();
    std::string marcador = "<grupo_datos seq=\"HORARIOS_REGULARES\" registros=\"";
    marcador += std::to_string(profesores);
    marcador += "\"/></BLOQUE_DATOS></SERVICIO>";
    if (bytes.rfind(marcador) == std::string::npos)
        return;
    escritor_ = std::make_unique<EscritorXml>(Codificacion(bytes));
    marcador_ = std::move(marcador);
}

// The encoding save() writes in: the declared one, UTF-8 without a declaration.
std::string DocumentoHorarios::Codificacion(const std::string& bytes) const {
    const std::size_t inicio = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    const xmlDoc* doc = doc_.documentElement().raw()->doc;
    if (bytes.compare(inicio, 5, "<?xml") != 0 || doc->encoding == nullptr)
        return "UTF-8";
    return reinterpret_cast<const char*>(doc->encoding);
}

void DocumentoHorarios::EscribirDato(const char* nombre, std::string_view valorAnsi) {
    escritor_->Abrir("dato");
    escritor_->Atributo("nombre_dato", nombre);
    if (!valorAnsi.empty())
        escritor_->Texto(AnsiAUtf8(valorAnsi));
    escritor_->Cerrar();
}

void DocumentoHorarios::AnadirProfesor(int numero, int actividades, const std::string& xEmpleado,
                                       const std::string& fTomapos) {
    if (escritor_) {
        if (profesorAbierto_)
            escritor_->Cerrar();
        escritor_->Abrir("grupo_datos");
        escritor_->Atributo("seq", Numerado("HORARIO_REGULAR_PROFESOR_", numero));
        escritor_->Atributo("registros", std::to_string(actividades));
        EscribirDato("X_EMPLEADO", xEmpleado);
        EscribirDato("F_TOMAPOS", fTomapos);
        profesorAbierto_ = true;
        return;
    }
    profesor_ = doc_.createElement("grupo_datos");
    profesor_.setAttribute("seq", Numerado("HORARIO_REGULAR_PROFESOR_", numero));
    profesor_.setAttribute("registros", actividades);
    horariosRegulares_.appendChild(profesor_);
    profesor_.appendChild(NuevoDato("X_EMPLEADO", xEmpleado));
    profesor_.appendChild(NuevoDato("F_TOMAPOS", fTomapos));
}

void DocumentoHorarios::AnadirActividad(int numero, const ValoresActividad& valores) {
    if (escritor_) {
        escritor_->Abrir("grupo_datos");
        escritor_->Atributo("seq", Numerado("ACTIVIDAD_", numero));
        for (const auto& [nombre, valor] : valores.EnOrden())
            EscribirDato(nombre, valor);
        escritor_->Cerrar();
        return;
    }
    XmlNode actividad = profesor_.appendChild(doc_.createElement("grupo_datos"));
    actividad.setAttribute("seq", Numerado("ACTIVIDAD_", numero));
    for (const auto& [nombre, valor] : valores.EnOrden())
        actividad.appendChild(NuevoDato(nombre, valor));
}

void DocumentoHorarios::Guardar(const std::filesystem::path& archivo) {
    if (!escritor_) {
        doc_.save(archivo);
        return;
    }
    if (profesorAbierto_)
        escritor_->Cerrar();
    profesorAbierto_ = false;
    std::string bloques = escritor_->Tomar();
    const std::string documento = doc_.serializar();
    // The marker is the document's last element: the new root is its last child.
    const std::size_t donde = documento.rfind(marcador_);
    if (donde == std::string::npos)
        throw Error("No se encuentra el bloque HORARIOS_REGULARES al guardar " + archivo.string() +
                    ".");
    // Written in pieces: the teachers' blocks are most of the file and are not copied.
    const std::size_t cierre = donde + marcador_.find("/>");
    const std::string_view texto(documento);
    GuardarArchivoAtomico(archivo, {texto.substr(0, cierre), ">", bloques, "</grupo_datos>",
                                    texto.substr(cierre + 2)});
}

} // namespace belvaro
