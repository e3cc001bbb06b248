#include "import/DocumentoHorarios.h"

#include "seneca/CodePage.h"

#include <ctime>

namespace belvaro {

namespace {
constexpr const char* kRutaBloqueDatos = "/SERVICIO/BLOQUE_DATOS";
constexpr int kNodoElemento = 1;
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
}

void DocumentoHorarios::AnadirProfesor(int numero, int actividades, const std::string& xEmpleado,
                                       const std::string& fTomapos) {
    profesor_ = doc_.createElement("grupo_datos");
    profesor_.setAttribute("seq", "HORARIO_REGULAR_PROFESOR_" + std::to_string(numero));
    profesor_.setAttribute("registros", actividades);
    horariosRegulares_.appendChild(profesor_);
    profesor_.appendChild(NuevoDato("X_EMPLEADO", xEmpleado));
    profesor_.appendChild(NuevoDato("F_TOMAPOS", fTomapos));
}

void DocumentoHorarios::AnadirActividad(int numero, const ValoresActividad& valores) {
    XmlNode actividad = profesor_.appendChild(doc_.createElement("grupo_datos"));
    actividad.setAttribute("seq", "ACTIVIDAD_" + std::to_string(numero));
    for (const auto& [nombre, valor] : valores.EnOrden())
        actividad.appendChild(NuevoDato(nombre, valor));
}

} // namespace belvaro
