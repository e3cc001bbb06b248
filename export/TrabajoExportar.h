#pragma once

#include "app/Interlocutor.h"
#include "app/Sesion.h"
#include "seneca/Seneca.h"
#include "seneca/XmlDocument.h"

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace belvaro {

// What the person is told at the end of an export besides "Proceso finalizado".
struct InformeExportar {
    std::vector<std::pair<std::string, int>> filasPorTabla; // in the order built
    InformeLectura lectura;
    std::vector<std::string> materiasSinAsignacion; // subject names (UTF-8), no ASIGT row
    std::vector<std::string> unidadesSinCurso;      // unit codes whose course is not in CURSOST
    bool salidaForzada = false;                     // the dialog's forced exit was used
};

// One run of the Séneca-to-timetable job. Its steps write their tables into
// `carpeta` (the job's staging folder; any folder in tests).
class TrabajoExportar {
public:
    TrabajoExportar(XmlDocument doc, std::filesystem::path carpeta,
                    std::filesystem::path catalogo, Interlocutor& interlocutor);

    // The nine steps, in order.
    void Ejecutar();

    void CrearPeriodos();
    void CrearCursos();
    void CrearMaterias();
    void CrearActividades();
    void CrearProfesores();
    void CrearAulas();
    void CrearGrupos();
    void CrearAsignaciones();
    void CrearTramos();

    const std::filesystem::path& Carpeta() const { return carpeta_; }
    const std::filesystem::path& Catalogo() const { return catalogo_; }
    InformeExportar informe;

    XmlDocument DocXML;
    // The subject-code lists (case-sensitive, sorted).
    std::set<std::string> CodigosUsados;
    std::set<std::string> CodigosLargos;
    std::set<std::string> NombresMaterias;
    std::set<std::string> CodLargoNombre;
    bool CursosIncompletos = false;

private:
    std::filesystem::path carpeta_;
    std::filesystem::path catalogo_;
    Interlocutor& interlocutor_;
};

// The nine tables the job builds, in the order it builds them.
inline const std::vector<std::string> kTablasExportadas = {
    "PERIODOS", "CURSOST", "ASIGNOMT", "ASIGNOMT2", "PROFT",
    "AULAT",    "GRUPOST", "ASIGT",    "DIASHORAST"};

// Runs the job on a file into the data folder. All nine tables are built in a staging
// folder inside it and moved into place together only when the job ends; a job that
// stops on any error, or is killed, leaves the data folder as it was.
InformeExportar ExportarArchivo(const std::filesystem::path& archivo,
                                const Configuracion& configuracion, Interlocutor& interlocutor);

// The "exportar" button: file dialog, existence check, the job, "Proceso finalizado"
// and Transformado. Errors propagate as Error for the front end to show.
FinTrabajo BExportarClick(EstadoSesion& sesion, const Configuracion& configuracion,
                          Interlocutor& interlocutor, InformeExportar* informe = nullptr);

} // namespace belvaro
