#pragma once

#include "import/ValoresActividad.h"
#include "seneca/XmlDocument.h"

#include <chrono>
#include <string>

namespace belvaro {

// Builds the regular-timetable document on a loaded Séneca document: its root is
// replaced, everything outside the root (declaration, comments, processing
// instructions) stays as loaded. Values come in Windows-1252 and go into the
// document in UTF-8.
class DocumentoHorarios {
  public:
    explicit DocumentoHorarios(XmlDocument& doc) : doc_(doc) {}

    // Removes the old SERVICIO and makes the new root with its header and the
    // school-year block. `fecha` is the text of the root's fecha attribute.
    void Preparar(const std::string& anno, const std::string& fecha);
    // The HORARIOS_REGULARES block, with the number of teachers.
    void AbrirHorariosRegulares(int profesores);
    // One teacher's block with its two values; its activities follow.
    void AnadirProfesor(int numero, int actividades, const std::string& xEmpleado,
                        const std::string& fTomapos);
    void AnadirActividad(int numero, const ValoresActividad& valores);

  private:
    XmlNode NuevoDato(const char* nombre, std::string_view valorAnsi);

    XmlDocument& doc_;
    XmlNode horariosRegulares_;
    XmlNode profesor_;
};

// The root's fecha: local date and time as dd/mm/yyyy hh:mm:ss.
std::string FechaDocumento(std::chrono::system_clock::time_point instante);

} // namespace belvaro
