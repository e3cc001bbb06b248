#include "export/TrabajoExportar.h"

#include "export/AbreviaturasGrupo.h"
#include "seneca/CodePage.h"
#include "tables/Tabla.h"

#include <string>
#include <unordered_map>

namespace belvaro {

namespace {

struct Curso {
    std::string nivel;
    std::string curso;
    std::string estud;
};

// CURSOST by CLAVE; with repeated keys the first record in stored order is kept.
std::unordered_map<std::string, Curso> LeerCursos(const std::filesystem::path& carpeta) {
    Tabla cursos(carpeta, "CursosT");
    std::unordered_map<std::string, Curso> porClave;
    for (cursos.First(); !cursos.Eof(); cursos.Next()) {
        porClave.try_emplace(cursos.FieldByName("CLAVE").AsString(),
                             Curso{cursos.FieldByName("NIVEL").AsString(),
                                   cursos.FieldByName("CURSO").AsString(),
                                   cursos.FieldByName("ESTUD").AsString()});
    }
    cursos.Close();
    return porClave;
}

const std::vector<DefCampo>& CamposGrupos() {
    static const std::vector<DefCampo> campos = {
        {"ABREV", TipoCampo::Texto, 10},      {"TURNO", TipoCampo::Texto, 1},
        {"NIVEL", TipoCampo::Texto, 5},       {"CURSO", TipoCampo::Texto, 3},
        {"GRUPO", TipoCampo::Texto, 2},       {"CLAVE", TipoCampo::Texto, 10},
        {"CLAVECURSO", TipoCampo::Texto, 10}, {"DESCRIP", TipoCampo::Texto, 80},
    };
    return campos;
}

// First five characters of the level, first character of the year, and "A".
std::string AbreviaturaBase(const Curso& curso) {
    return curso.nivel.substr(0, 5) + curso.curso.substr(0, 1) + "A";
}

} // namespace

void TrabajoExportar::CrearGrupos() {
    const auto cursos = LeerCursos(Carpeta());
    CrearTabla(Carpeta(), "GRUPOST", CamposGrupos());
    Tabla grupos(Carpeta(), "GRUPOST");
    AbreviaturasGrupo abreviaturas;
    int filas = 0;

    RecorrerBloque(DocXML, "UNIDADES", 2, informe.lectura, [&](const RegistroSeneca& unidad) {
        const std::string clave = unidad.valor(0);
        const std::string claveCurso = unidad.valor(2);
        Curso curso;
        if (const auto hallado = cursos.find(claveCurso); hallado != cursos.end())
            curso = hallado->second;
        else
            informe.unidadesSinCurso.push_back(AnsiAUtf8(clave));

        const std::string abrev = abreviaturas.Asignar(AbreviaturaBase(curso), clave);
        grupos.Append();
        grupos.FieldByName("ABREV").SetAsString(abrev);
        grupos.FieldByName("TURNO").SetAsString("");
        grupos.FieldByName("NIVEL").SetAsString(curso.nivel.empty() ? "NIV" : curso.nivel);
        grupos.FieldByName("CURSO").SetAsString(curso.curso);
        grupos.FieldByName("GRUPO").SetAsString(abrev.substr(abrev.size() - 1));
        grupos.FieldByName("CLAVE").SetAsString(clave);
        grupos.FieldByName("CLAVECURSO").SetAsString(claveCurso);
        grupos.FieldByName("DESCRIP").SetAsString(curso.estud);
        grupos.Post();
        ++filas;
    });
    grupos.Close();
    informe.filasPorTabla.emplace_back("GRUPOST", filas);
}

} // namespace belvaro
