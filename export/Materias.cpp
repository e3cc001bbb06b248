#include "export/TrabajoExportar.h"

#include "app/Clipper.h"
#include "app/Error.h"
#include "export/CodigosMaterias.h"
#include "tables/Tabla.h"

#include <filesystem>
#include <string>
#include <vector>

namespace belvaro {

namespace {

const std::vector<DefCampo> kCamposAsignomt = {
    {"COD", TipoCampo::Texto, 10},     {"CODLARGO", TipoCampo::Texto, 10},
    {"NOMBRE", TipoCampo::Texto, 80},  {"CODTAREA", TipoCampo::Texto, 10},
    {"ESTAREA", TipoCampo::Logico, 0},
};

const std::vector<DefCampo> kCamposAsignomt2 = {
    {"COD", TipoCampo::Texto, 10},         {"CODLARGO", TipoCampo::Texto, 10},
    {"NOMBRE", TipoCampo::Texto, 80},      {"MATERIA", TipoCampo::Texto, 20},
    {"OFERTAMATRI", TipoCampo::Texto, 20}, {"CODTAREA", TipoCampo::Texto, 10},
    {"ESTAREA", TipoCampo::Logico, 0},
};

// One record of the MATERIAS block with the codes worked out for it.
struct Materia {
    std::string nombre;
    std::string materia;     // Séneca key of the subject
    std::string ofertaMatri; // Séneca key of the course
    std::string cod;
    std::string codLargo;
};

// SENEMATERIAS.DBF: the codes to use for the Séneca subject names it knows.
class CatalogoMaterias {
  public:
    explicit CatalogoMaterias(const std::filesystem::path& ruta) : tabla_(Abrir(ruta)) {}

    // The first row whose NOMBRE is exactly the name fills in the two codes.
    void Buscar(Materia& m) {
        if (!tabla_.Locate("NOMBRE", {m.nombre}))
            return;
        m.cod = tabla_.FieldByName("COD").AsString();
        m.codLargo = tabla_.FieldByName("CODLARGO").AsString();
    }

    void Close() { tabla_.Close(); }

  private:
    static Tabla Abrir(const std::filesystem::path& ruta) {
        const std::filesystem::path carpeta = ruta.parent_path();
        const std::string nombre = ruta.filename().string();
        if (!ExisteTabla(carpeta, nombre))
            throw Error("No se encuentra el catálogo de materias " + ruta.string() +
                        ": sin él no se pueden dar los códigos de las materias.");
        return Tabla(carpeta, nombre);
    }

    Tabla tabla_;
};

std::string Primeros(const std::string& texto, std::size_t n) {
    return texto.substr(0, n);
}

void AnadirFila(Tabla& tabla, const Materia& m, bool conClaves) {
    tabla.Append();
    tabla.FieldByName("COD").SetAsString(m.cod);
    tabla.FieldByName("CODLARGO").SetAsString(m.codLargo);
    tabla.FieldByName("NOMBRE").SetAsString(m.nombre);
    if (conClaves) {
        tabla.FieldByName("MATERIA").SetAsString(m.materia);
        tabla.FieldByName("OFERTAMATRI").SetAsString(m.ofertaMatri);
    }
    tabla.FieldByName("ESTAREA").SetAsBoolean(false);
    tabla.Post();
}

// Catalogue codes when it knows the name, else the derived ones; the short code is
// cut to 10 only after the long code has been copied from it.
void DarCodigos(Materia& m, CatalogoMaterias& catalogo) {
    catalogo.Buscar(m);
    if (AllTrim(m.cod).empty())
        m.cod = CodigoDerivado(m.nombre);
    if (AllTrim(m.codLargo).empty())
        m.codLargo = CodigoLargoDerivado(m.cod, m.nombre);
    m.cod = Primeros(m.cod, kAnchoCodigo);
}

// One run of CrearMaterias: the two tables being filled, the catalogue and the
// subject-code lists of the job.
class PasoMaterias {
  public:
    explicit PasoMaterias(TrabajoExportar& t)
        : t_(t), catalogo_(t.Catalogo()), asignomt_(t.Carpeta(), "ASIGNOMT"),
          asignomt2_(t.Carpeta(), "ASIGNOMT2"), numerador_(t.CodigosUsados) {}

    void Registro(const RegistroSeneca& r) {
        Materia m{r.valor(2), r.valor(1), r.valor(0), {}, {}};
        DarCodigos(m, catalogo_);
        if (EsRepetida(m))
            AnadirCurso(m);
        else
            AnadirNueva(m);
    }

    void Terminar() {
        asignomt_.Close();
        asignomt2_.Close();
        catalogo_.Close();
        t_.informe.filasPorTabla.emplace_back("ASIGNOMT", filas_);
        t_.informe.filasPorTabla.emplace_back("ASIGNOMT2", filas2_);
    }

  private:
    bool EsRepetida(const Materia& m) const {
        return t_.NombresMaterias.contains(MayusculasAZ(m.nombre)) &&
               t_.CodigosLargos.contains(m.codLargo) &&
               t_.CodLargoNombre.contains(m.codLargo + m.nombre);
    }

    void AnadirNueva(Materia& m) {
        t_.NombresMaterias.insert(MayusculasAZ(m.nombre));
        t_.CodigosLargos.insert(m.codLargo);
        t_.CodLargoNombre.insert(m.codLargo + m.nombre);
        m.cod = numerador_.Asignar(m.cod);
        AnadirFila(asignomt_, m, false);
        AnadirFila(asignomt2_, m, true);
        ++filas_;
        ++filas2_;
    }

    // A further course of a subject already listed gets only its bridge row, with the
    // code the subject's row holds. A pair of keys seen before adds nothing.
    void AnadirCurso(Materia& m) {
        if (asignomt2_.Locate("MATERIA;OFERTAMATRI",
                              {Primeros(m.materia, 20), Primeros(m.ofertaMatri, 20)}))
            return;
        if (!asignomt_.Locate("CODLARGO;NOMBRE",
                              {Primeros(m.codLargo, 10), Primeros(m.nombre, 80)}))
            return;
        m.cod = asignomt_.FieldByName("COD").AsString();
        AnadirFila(asignomt2_, m, true);
        ++filas2_;
    }

    TrabajoExportar& t_;
    CatalogoMaterias catalogo_;
    Tabla asignomt_;
    Tabla asignomt2_;
    NumeradorCodigos numerador_;
    int filas_ = 0;
    int filas2_ = 0;
};

} // namespace

void TrabajoExportar::CrearMaterias() {
    CrearTabla(Carpeta(), "ASIGNOMT", kCamposAsignomt);
    CrearTabla(Carpeta(), "ASIGNOMT2", kCamposAsignomt2);
    PasoMaterias paso(*this);
    RecorrerBloque(DocXML, "MATERIAS", 2, informe.lectura,
                   [&](const RegistroSeneca& r) { paso.Registro(r); });
    paso.Terminar();
}

} // namespace belvaro
