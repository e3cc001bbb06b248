#include "import/Importacion.h"

#include "app/Clipper.h"
#include "import/BusquedasActividad.h"
#include "import/DocumentoHorarios.h"
#include "import/Soluc.h"
#include "seneca/CodePage.h"
#include "seneca/Seneca.h"

#include <algorithm>
#include <chrono>
#include <unordered_set>

namespace belvaro {

namespace fs = std::filesystem;

namespace {

// A lesson with one of the codes Séneca needs left empty goes into the report.
void AnotarSiDudosa(const std::string& abrev, const FilaSoluc& fila, const ValoresActividad& v,
                    InformeImportar& informe) {
    LeccionDudosa dudosa;
    for (const auto& [nombre, valor] :
         {std::pair{"X_UNIDAD", &v.X_UNIDAD}, std::pair{"X_TRAMO", &v.X_TRAMO},
          std::pair{"X_MATERIAOMG", &v.X_MATERIAOMG},
          std::pair{"X_OFERTAMATRIG", &v.X_OFERTAMATRIG}})
        if (AllTrim(*valor).empty())
            dudosa.faltan.emplace_back(nombre);
    if (dudosa.faltan.empty())
        return;
    dudosa.profesor = AnsiAUtf8(abrev);
    dudosa.dia = AnsiAUtf8(fila.DIA);
    dudosa.hora = AnsiAUtf8(fila.HORA);
    dudosa.asignatura = AnsiAUtf8(fila.ASIG);
    dudosa.grupo = AnsiAUtf8(fila.CODGRUPO);
    informe.dudosas.push_back(std::move(dudosa));
}

} // namespace

fs::path RutaResultado(const fs::path& archivo) {
    return archivo.parent_path() / ("ResultadoZeltos" + archivo.filename().string());
}

Importacion::Importacion(fs::path archivoXML, fs::path carpeta)
    : ArchivoXML(std::move(archivoXML)), carpeta_(std::move(carpeta)) {}

FinTrabajo Importacion::Ejecutar(InformeImportar& informe) {
    tablas_.emplace(carpeta_);
    DocXML = XmlDocument();
    DocXML.load(ArchivoXML);
    const std::string anno = AnnoEscolar(DocXML, ArchivoXML.string());
    if (!ExisteTabla(carpeta_, "PERIODOS")) {
        tablas_.reset();
        return FinTrabajo::PeriodosNoEncontrado;
    }
    LeerPeriodos();

    DocumentoHorarios documento(DocXML);
    documento.Preparar(anno, FechaDocumento(std::chrono::system_clock::now()));
    documento.AbrirHorariosRegulares(tablas_->wwTableProfesor.RecordCount());
    {
        const Soluc soluc(tablas_->wwTableSoluc);
        const BusquedasActividad busquedas(tablas_->wwTableAsig, tablas_->wwTableNomAsg,
                                           tablas_->wwTableTramos, tablas_->wwTableGrupos,
                                           tablas_->wwTableNomAsg_2);
        RecorrerProfesores(documento, soluc, busquedas, informe);
    }
    tablas_.reset();

    const fs::path salida = RutaResultado(ArchivoXML);
    documento.Guardar(salida);
    informe.salida = salida;
    return FinTrabajo::Terminado;
}

void Importacion::LeerPeriodos() {
    Tabla periodos(carpeta_, "PERIODOS");
    periodos.First();
    if (periodos.Eof())
        return;
    F_INICIO = periodos.FieldByName("F_INICIO").AsString();
    F_FIN = periodos.FieldByName("F_FIN").AsString();
}

void Importacion::RecorrerProfesores(DocumentoHorarios& documento, const Soluc& soluc,
                                     const BusquedasActividad& busquedas,
                                     InformeImportar& informe) {
    Tabla& proft = tablas_->wwTableProfesor;
    Campo empleado = proft.FieldByName("X_EMPLEADO"), tomaPosesion = proft.FieldByName("F_TOMAPOS"),
          abreviatura = proft.FieldByName("ABREV");
    std::unordered_set<std::string> conocidos;
    int numeroProfesor = 1;
    for (proft.First(); !proft.Eof(); proft.Next()) {
        const std::string xEmpleado = empleado.AsString(), fTomapos = tomaPosesion.AsString();
        const std::string ABREV = abreviatura.AsString();
        conocidos.insert(ABREV);
        const auto& filas = soluc.DelProfesor(ABREV);
        const int registros = static_cast<int>(std::count_if(
            filas.begin(), filas.end(), [&](const FilaSoluc& f) { return soluc.Dia(f) != 0; }));
        documento.AnadirProfesor(numeroProfesor++, registros, xEmpleado, fTomapos);

        int numeroActividad = 1;
        for (const FilaSoluc& fila : filas) {
            const long long dia = soluc.Dia(fila);
            if (dia == 0)
                continue;
            const ValoresActividad valores =
                busquedas.Resolver(fila, dia, soluc.Hora(fila), F_INICIO, F_FIN);
            documento.AnadirActividad(numeroActividad++, valores);
            AnotarSiDudosa(ABREV, fila, valores, informe);
        }
        informe.actividades += registros;
    }
    informe.profesores = numeroProfesor - 1;
    for (const std::string& prof : soluc.Profesores())
        if (!conocidos.count(prof))
            informe.profesoresDesconocidos.push_back(AnsiAUtf8(prof));
}

} // namespace belvaro
