#include "export/TrabajoExportar.h"

#include "app/Clipper.h"
#include "seneca/CodePage.h"
#include "tables/Tabla.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace belvaro {

namespace {

// The form in which subject names are compared: a..z upper-cased, spaces trimmed.
std::string NombreComparable(std::string_view nombre) {
    return AllTrim(MayusculasAZ(nombre));
}

// ASIGNOMT's COD by comparable NOMBRE; the first record in stored order wins, even
// when its COD is empty.
std::unordered_map<std::string, std::string> LeerCodigosMaterias(const std::filesystem::path& c) {
    Tabla materias(c, "ASIGNOMT");
    std::unordered_map<std::string, std::string> porNombre;
    Campo nombre = materias.FieldByName("NOMBRE");
    Campo cod = materias.FieldByName("COD");
    for (materias.First(); !materias.Eof(); materias.Next())
        porNombre.try_emplace(NombreComparable(nombre.AsString()), cod.AsString());
    materias.Close();
    return porNombre;
}

struct Grupo {
    std::string abrev;
    std::string nivel;
    std::string curso;
    std::string grupo;
};

// GRUPOST's groups by CLAVECURSO, each course's groups in stored order.
std::unordered_map<std::string, std::vector<Grupo>>
LeerGruposPorCurso(const std::filesystem::path& carpeta) {
    Tabla grupos(carpeta, "GRUPOST");
    std::unordered_map<std::string, std::vector<Grupo>> porCurso;
    Campo claveCurso = grupos.FieldByName("CLAVECURSO");
    Campo abrev = grupos.FieldByName("ABREV");
    Campo nivel = grupos.FieldByName("NIVEL");
    Campo curso = grupos.FieldByName("CURSO");
    Campo grupo = grupos.FieldByName("GRUPO");
    for (grupos.First(); !grupos.Eof(); grupos.Next()) {
        porCurso[claveCurso.AsString()].push_back(
            Grupo{abrev.AsString(), nivel.AsString(), curso.AsString(), grupo.AsString()});
    }
    grupos.Close();
    return porCurso;
}

const std::vector<DefCampo>& CamposAsignaciones() {
    static const std::vector<DefCampo> campos = {
        {"CASIG", TipoCampo::Texto, 10},   {"CPROF", TipoCampo::Texto, 10},
        {"CGRUP", TipoCampo::Texto, 10},   {"CAULA", TipoCampo::Texto, 10},
        {"TURNO", TipoCampo::Texto, 1},    {"NIVEL", TipoCampo::Texto, 5},
        {"CURSO", TipoCampo::Texto, 3},    {"GRUPO", TipoCampo::Texto, 2},
        {"HORAS", TipoCampo::Flotante, 0}, {"SESIONES", TipoCampo::Texto, 20},
        {"CLAVE", TipoCampo::Texto, 10},   {"CLAVECURSO", TipoCampo::Texto, 10},
        {"CTAREA", TipoCampo::Texto, 10},
    };
    return campos;
}

// Writes ASIGT rows; the fields are looked up once for the whole table.
class EscritorAsignaciones {
  public:
    explicit EscritorAsignaciones(Tabla& tabla)
        : tabla_(tabla), casig_(tabla.FieldByName("CASIG")), cgrup_(tabla.FieldByName("CGRUP")),
          caula_(tabla.FieldByName("CAULA")), turno_(tabla.FieldByName("TURNO")),
          nivel_(tabla.FieldByName("NIVEL")), curso_(tabla.FieldByName("CURSO")),
          grupo_(tabla.FieldByName("GRUPO")), horas_(tabla.FieldByName("HORAS")),
          sesiones_(tabla.FieldByName("SESIONES")), clave_(tabla.FieldByName("CLAVE")),
          claveCurso_(tabla.FieldByName("CLAVECURSO")), ctarea_(tabla.FieldByName("CTAREA")) {}

    void Escribir(const std::string& cod, const Grupo& g, const std::string& claveMateria,
                  const std::string& claveCurso) {
        tabla_.Append();
        casig_.SetAsString(cod);
        cgrup_.SetAsString(g.abrev);
        caula_.SetAsString("");
        turno_.SetAsString("");
        nivel_.SetAsString(g.nivel);
        curso_.SetAsString(g.curso);
        grupo_.SetAsString(g.grupo);
        horas_.SetAsFloat(4);
        sesiones_.SetAsString("1111");
        clave_.SetAsString(claveMateria);
        claveCurso_.SetAsString(claveCurso);
        ctarea_.SetAsString("1");
        tabla_.Post();
    }

  private:
    Tabla& tabla_;
    Campo casig_, cgrup_, caula_, turno_, nivel_, curso_, grupo_, horas_, sesiones_, clave_,
        claveCurso_, ctarea_;
};

} // namespace

void TrabajoExportar::CrearAsignaciones() {
    CrearTabla(Carpeta(), "ASIGT", CamposAsignaciones());
    Tabla asignaciones(Carpeta(), "ASIGT");
    const auto codigos = LeerCodigosMaterias(Carpeta());
    const auto gruposPorCurso = LeerGruposPorCurso(Carpeta());
    EscritorAsignaciones escritor(asignaciones);
    std::unordered_set<std::string> sinAsignacion;
    int filas = 0;

    RecorrerBloque(DocXML, "MATERIAS", 2, informe.lectura, [&](const RegistroSeneca& materia) {
        const std::string claveCurso = materia.valor(0);
        const std::string claveMateria = materia.valor(1);
        const std::string nombre = materia.valor(2);
        const auto codigo = codigos.find(NombreComparable(nombre.substr(0, 80)));
        if (codigo == codigos.end() || codigo->second.empty()) {
            if (!nombre.empty() && sinAsignacion.insert(nombre).second)
                informe.materiasSinAsignacion.push_back(AnsiAUtf8(nombre));
            return;
        }
        const auto grupos = gruposPorCurso.find(claveCurso);
        if (grupos == gruposPorCurso.end())
            return;
        for (const Grupo& grupo : grupos->second) {
            escritor.Escribir(codigo->second, grupo, claveMateria, claveCurso);
            ++filas;
        }
    });
    asignaciones.Close();
    informe.filasPorTabla.emplace_back("ASIGT", filas);
}

} // namespace belvaro
