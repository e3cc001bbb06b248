#pragma once

// A whole export on a small invented school: the data folder, a program folder with an
// empty subject catalogue, the document, and a person who fills every course.

#include "app/Sesion.h"
#include "export/TrabajoExportar.h"
#include "export/TurnoCursos.h"
#include "tables/Tabla.h"
#include "tests/support/Apoyo.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace belvaro::prueba {

// Every block the job reads; `inicioTramo` is the start of the first time slot.
inline DocumentoSeneca ColegioPequeno(const std::string& inicioTramo = "480") {
    DocumentoSeneca doc;
    doc.Directo("ANNO_ACADEMICO", {"2024", "15/09/2024", "22/06/2025"})
        .Lista("CURSOS_DEL_CENTRO",
               {{"1001", "1º de Educación Secundaria Obligatoria"}, {"1002", "2º de Bachillerato"}})
        .Lista("MATERIAS", {{"1001", "M1", "Matemáticas"},
                            {"1001", "M2", "Lengua Castellana y Literatura"},
                            {"1002", "M3", "Historia de España"}})
        .Lista("ACTIVIDADES", {{"0", "A1", "Guardia"}, {"0", "A2", "Reunión de departamento"}})
        .Lista("EMPLEADOS", {{"E1", "01/09/2020", "Matemáticas", "Ana", "García", "López"},
                             {"E2", "01/09/2021", "Lengua", "Luis", "Pérez", "Ruiz"}})
        .Lista("DEPENDENCIAS", {{"D1", "Aula 1"}, {"D2", "Laboratorio"}})
        .Lista("UNIDADES", {{"U1", "1º A", "1001"}, {"U2", "1º B", "1001"}, {"U3", "2º", "1002"}})
        .Lista("TRAMOS_HORARIOS", {{"T1", "1ª", inicioTramo, "540"}, {"T2", "2ª", "540", "600"}})
        .Lista("JORNADAS_ESCOLARES", {{"J1", "L", "01/09/2024", "30/06/2025"}});
    return doc;
}

// Fills NIVEL and CURSO of every course of ColegioPequeno and confirms.
inline void CompletarCursos(TurnoCursos& turno) {
    static const std::map<std::string, std::pair<std::string, std::string>> niveles = {
        {"1001", {"ESO", "1"}}, {"1002", {"BCT", "2"}}};
    Tabla& cursos = turno.Cursos();
    for (cursos.First(); !cursos.Eof(); cursos.Next()) {
        const auto& [nivel, curso] = niveles.at(cursos.FieldByName("CLAVE").AsString());
        cursos.Edit();
        cursos.FieldByName("NIVEL").SetAsString(nivel);
        cursos.FieldByName("CURSO").SetAsString(curso);
        cursos.Post();
    }
    turno.BitBtn1Click();
}

// Every file directly in a folder, by name, with its bytes.
inline std::map<std::string, std::string> Contenido(const std::filesystem::path& carpeta) {
    std::map<std::string, std::string> archivos;
    for (const auto& entrada : std::filesystem::directory_iterator(carpeta))
        if (entrada.is_regular_file())
            archivos[entrada.path().filename().string()] = LeerArchivo(entrada.path());
    return archivos;
}

// Staging folders left in the data folder.
inline int Preparaciones(const std::filesystem::path& carpeta) {
    int n = 0;
    for (const auto& entrada : std::filesystem::directory_iterator(carpeta))
        n += entrada.path().filename().string().starts_with(".belvaro-exportar-");
    return n;
}

// The scripted person, also recording the wait cursor.
struct PersonaExportar : InterlocutorPrueba {
    std::vector<bool> cursor;
    void CursorEspera(bool activo) override { cursor.push_back(activo); }
};

class ExportacionCompleta {
  public:
    ExportacionCompleta() {
        std::filesystem::create_directories(raiz_ / "programa");
        CrearTabla(raiz_ / "programa", "SENEMATERIAS",
                   {{"NOMBRE", TipoCampo::Texto, 80},
                    {"COD", TipoCampo::Texto, 10},
                    {"CODLARGO", TipoCampo::Texto, 10}});
        configuracion.carpetaDatos = raiz_ / "ZTEMP";
        configuracion.carpetaEjecutable = raiz_ / "programa";
        persona.turno = CompletarCursos;
    }

    const std::filesystem::path& Datos() const { return configuracion.carpetaDatos; }

    // Saves the document and names it as the next answer of the file dialog.
    std::filesystem::path Elegir(const DocumentoSeneca& doc, const std::string& nombre = "a.xml") {
        const auto ruta = raiz_ / nombre;
        doc.Guardar(ruta);
        persona.archivos.push_back(ruta);
        return ruta;
    }

    Configuracion configuracion;
    EstadoSesion sesion;
    PersonaExportar persona;

  private:
    CarpetaTemporal carpeta_;
    std::filesystem::path raiz_ = carpeta_.ruta();
};

} // namespace belvaro::prueba
