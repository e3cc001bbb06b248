#pragma once

#include "import/EscritorXml.h"
#include "import/ValoresActividad.h"
#include "seneca/XmlDocument.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

namespace belvaro {

// Builds the regular-timetable document on a loaded Séneca document: its root is
// replaced, everything outside the root (declaration, comments, processing
// instructions) stays as loaded. Values come in Windows-1252 and go into the
// document in UTF-8.
//
// The teachers' blocks are written as text in the document's encoding as they come,
// and put in their place when the document is saved: as a tree they would take
// several times the memory of the file. A document whose encoding is not a superset
// of ASCII gets them as a tree.
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

    // Writes the document under a temporary name and renames it into place.
    void Guardar(const std::filesystem::path& archivo);

  private:
    XmlNode NuevoDato(const char* nombre, std::string_view valorAnsi);
    void EscribirDato(const char* nombre, std::string_view valorAnsi);
    std::string Codificacion(const std::string& bytes) const;

    XmlDocument& doc_;
    XmlNode horariosRegulares_;
    XmlNode profesor_;
    // Set when the blocks go as text: what the empty HORARIOS_REGULARES block and the
    // end of the root serialise to, where the blocks are put on saving.
    std::unique_ptr<EscritorXml> escritor_;
    std::string marcador_;
    bool profesorAbierto_ = false;
};

// The root's fecha: local date and time as dd/mm/yyyy hh:mm:ss.
std::string FechaDocumento(std::chrono::system_clock::time_point instante);

} // namespace belvaro
