#pragma once

// Shared helpers for the tests: temporary folders, small Séneca documents and an
// Interlocutor that answers from a script.

#include "app/Interlocutor.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace belvaro::prueba {

// A fresh folder under the system's temporary folder, removed with its contents.
class CarpetaTemporal {
public:
    CarpetaTemporal();
    ~CarpetaTemporal();
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;
    const std::filesystem::path& ruta() const { return ruta_; }
    std::filesystem::path operator/(const std::string& nombre) const { return ruta_ / nombre; }

private:
    std::filesystem::path ruta_;
};

void EscribirArchivo(const std::filesystem::path& ruta, const std::string& bytes);
std::string LeerArchivo(const std::filesystem::path& ruta);

// Builds a Séneca exchange document in UTF-8: blocks in the order added.
class DocumentoSeneca {
public:
    using Valores = std::vector<std::string>;

    // A block that holds its dato directly (like ANNO_ACADEMICO).
    DocumentoSeneca& Directo(const std::string& seq, const Valores& valores);
    // A block of records, one grupo_datos per record.
    DocumentoSeneca& Lista(const std::string& seq, const std::vector<Valores>& registros);
    // Anything else, written as it stands inside BLOQUE_DATOS.
    DocumentoSeneca& Crudo(const std::string& xml);

    std::string Xml() const;
    void Guardar(const std::filesystem::path& ruta) const;

private:
    std::string cuerpo_;
};

// Answers the job's questions from a script and records what it was told.
class InterlocutorPrueba : public Interlocutor {
public:
    std::deque<std::optional<std::filesystem::path>> archivos; // next answers of the dialog
    std::vector<std::string> mensajes;                         // every message shown
    std::vector<std::filesystem::path> carpetasIniciales;      // folders the dialog opened in
    // One call per showing of the level and course dialog; by default, the close box.
    std::function<void(TurnoCursos&)> turno;
    int turnos = 0;
    int ventanasCerradas = 0;

    std::optional<std::filesystem::path>
    ElegirArchivo(const std::filesystem::path& carpetaInicial) override;
    void Mensaje(const std::string& texto) override;
    void MostrarControlCursos(TurnoCursos& t) override;
    void CerrarVentanaPrincipal() override;
};

} // namespace belvaro::prueba
