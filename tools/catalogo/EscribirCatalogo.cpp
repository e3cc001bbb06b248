#include "tools/catalogo/Catalogo.h"

#include "app/Error.h"
#include "tables/Tabla.h"

#include <system_error>

namespace belvaro::catalogo {

namespace {

// The table is filled under a temporary name and takes its final name only when
// complete, so an interrupted run never leaves a half-written catalogue behind.
class ArchivoProvisional {
  public:
    explicit ArchivoProvisional(std::filesystem::path ruta) : ruta_(std::move(ruta)) {}
    ~ArchivoProvisional() {
        std::error_code ec;
        std::filesystem::remove(ruta_, ec);
    }
    ArchivoProvisional(const ArchivoProvisional&) = delete;
    ArchivoProvisional& operator=(const ArchivoProvisional&) = delete;

  private:
    std::filesystem::path ruta_;
};

void Rellenar(Tabla& tabla, const std::vector<Materia>& materias) {
    for (const Materia& m : materias) {
        tabla.Append();
        tabla.FieldByName("NOMBRE").SetAsString(m.nombre);
        tabla.FieldByName("COD").SetAsString(m.cod);
        tabla.FieldByName("CODLARGO").SetAsString(m.codLargo);
        tabla.Post();
    }
    tabla.Close();
}

} // namespace

void EscribirCatalogo(const std::vector<Materia>& materias, const std::filesystem::path& dbf) {
    auto carpeta = dbf.parent_path();
    if (carpeta.empty())
        carpeta = ".";
    const std::string provisional = dbf.stem().string() + "-NUEVO.DBF";
    const auto rutaProvisional = RutaTabla(carpeta, provisional);
    const ArchivoProvisional limpieza(rutaProvisional);

    CrearTabla(carpeta, provisional,
               {{"NOMBRE", TipoCampo::Texto, kAnchoNombre},
                {"COD", TipoCampo::Texto, kAnchoCodigo},
                {"CODLARGO", TipoCampo::Texto, kAnchoCodigoLargo}});
    {
        Tabla tabla(carpeta, provisional, Acceso::Exclusivo);
        Rellenar(tabla, materias);
    }
    std::error_code ec;
    std::filesystem::rename(rutaProvisional, dbf, ec);
    if (ec)
        throw Error("No se puede escribir el catálogo " + dbf.string() + ": " + ec.message());
}

} // namespace belvaro::catalogo
