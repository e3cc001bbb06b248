#pragma once

// Running one step of the export on a small Séneca document, with its input tables
// written by hand, and reading back what it wrote.

#include "export/TrabajoExportar.h"
#include "tables/Tabla.h"
#include "tests/support/Apoyo.h"

#include <memory>
#include <string>
#include <vector>

namespace belvaro::prueba {

using Filas = std::vector<std::vector<std::string>>;

class PasoExportar {
  public:
    const std::filesystem::path& Carpeta() const { return carpeta_.ruta(); }

    // Writes a table of text fields, one row per vector of values in field order.
    void EscribirTabla(const std::string& nombre, const std::vector<DefCampo>& campos,
                       const Filas& filas) const {
        CrearTabla(Carpeta(), nombre, campos);
        Tabla tabla(Carpeta(), nombre);
        for (const auto& fila : filas) {
            tabla.Append();
            for (std::size_t i = 0; i < fila.size(); ++i)
                tabla.FieldByName(campos[i].nombre).SetAsString(fila[i]);
            tabla.Post();
        }
        tabla.Close();
    }

    // The job over the document; the step is then called on it.
    TrabajoExportar& Trabajo(const DocumentoSeneca& documento) {
        const auto archivo = Carpeta() / "entrada.xml";
        documento.Guardar(archivo);
        XmlDocument doc;
        doc.load(archivo);
        trabajo_ = std::make_unique<TrabajoExportar>(std::move(doc), Carpeta(),
                                                     Carpeta() / "SENEMATERIAS.DBF", interlocutor_);
        return *trabajo_;
    }

    // The named fields of every row, in stored order.
    Filas Leer(const std::string& tabla, const std::vector<std::string>& campos) const {
        Tabla t(Carpeta(), tabla);
        Filas filas;
        for (t.First(); !t.Eof(); t.Next()) {
            auto& fila = filas.emplace_back();
            for (const auto& campo : campos)
                fila.push_back(t.FieldByName(campo).AsString());
        }
        return filas;
    }

    std::vector<std::string> NombresDeCampos(const std::string& tabla) const {
        const Tabla t(Carpeta(), tabla);
        std::vector<std::string> nombres;
        for (const auto& info : t.Campos())
            nombres.push_back(info.nombre);
        return nombres;
    }

  private:
    CarpetaTemporal carpeta_;
    InterlocutorPrueba interlocutor_;
    std::unique_ptr<TrabajoExportar> trabajo_;
};

} // namespace belvaro::prueba
