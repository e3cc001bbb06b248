#pragma once

#include "tables/ArchivoTabla.h"
#include "tables/FormatoDbf.h"
#include "tables/IndiceLocate.h"
#include "tables/Tabla.h"
#include "tables/ValorCampo.h"

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace belvaro {

// An open table: all records in memory, in the file's layout. Posted records are
// written in batches: changed records in place, new ones after the last, then the
// header's date and count, so the count never claims records the file lacks.
struct Tabla::Impl {
    enum class Estado { Navegando, Anadiendo, Editando };

    std::string nombre; // upper-case file name without extension
    std::filesystem::path ruta;
    dbf::ArchivoTabla archivo;
    dbf::Estructura estructura;
    // Looked up with the name as the caller wrote it, without a copy when it is already
    // in upper case.
    struct HashNombre {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::unordered_map<std::string, int, HashNombre, std::equal_to<>>
        porNombre; // upper-case stored name -> field
    bool abierta = false;

    std::string datos; // registros * largoRegistro bytes
    std::size_t registros = 0;
    int vivos = 0;
    std::string blanco; // an empty record, read when there is no current one

    long pos = -1; // current record, -1 when none
    bool eof = true;
    Estado estado = Estado::Navegando;
    std::string pendiente; // the record being appended or edited

    std::size_t enDisco = 0;        // records already written at their place
    std::set<std::size_t> editados; // records before enDisco changed since
    bool sucio = false;

    std::function<bool(Tabla&)> filtro;
    std::map<std::vector<int>, dbf::IndiceLocate> indices; // made on first use
    // The field list of the last Locate, resolved: a step repeats the same search.
    std::string ultimaBusqueda;
    std::vector<int> camposUltimaBusqueda;

    std::size_t Largo() const { return estructura.largoRegistro; }
    std::string_view Registro(std::size_t r) const {
        return std::string_view(datos).substr(r * Largo(), Largo());
    }
    bool Vivo(std::size_t r) const { return datos[r * Largo()] != dbf::kBorrado; }
    // The bytes of the current record: the pending one while appending or editing.
    std::string_view Actual() const;
    int RecNo() const;

    void ExigirAbierta() const;
    int IndiceCampo(std::string_view nombre) const;  // -1 when the table lacks it
    int CampoExigido(std::string_view nombre) const; // Error when the table lacks it
    std::string Clave(const std::vector<int>& campos, std::string_view registro) const;
    dbf::IndiceLocate& Indice(const std::vector<int>& campos);
    void Guardar();
};

} // namespace belvaro
