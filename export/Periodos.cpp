#include "export/TrabajoExportar.h"

#include "app/Error.h"
#include "export/TablaAnterior.h"
#include "tables/Tabla.h"

#include <string>
#include <vector>

namespace belvaro {

namespace {

const std::vector<DefCampo> kCamposPeriodos = {
    {"CURSOANNO", TipoCampo::Texto, 4},
    {"F_INICIO", TipoCampo::Texto, 10},
    {"F_FIN", TipoCampo::Texto, 10},
};

struct Periodo {
    std::string anno, inicio, fin;
};

// How the summary names one of the first blocks: its seq, or its place when it has none.
std::string NombreBloque(const XmlNode& bloque, int indice) {
    std::string seq = bloque.getAttribute("seq");
    return seq.empty() ? "bloque " + std::to_string(indice + 1) : seq;
}

// The school year and dates of each of the first two blocks that hold more than one
// dato directly. A block with only two lacks its end date: read as empty, counted.
std::vector<Periodo> LeerPrimerosBloques(const XmlDocument& doc, InformeLectura& lectura) {
    const XmlNodeList bloques = doc.selectNodes(kTodosLosBloques);
    std::vector<Periodo> periodos;
    for (int i = 0; i < 2; ++i) {
        const XmlNode bloque = bloques.item(i);
        if (!bloque)
            continue;
        const RegistroSeneca datos = DatosDe(bloque);
        if (datos.length() <= 1)
            continue;
        if (!datos.tiene(2))
            lectura.bloques[NombreBloque(bloque, i)].incompletos.insert(i);
        periodos.push_back({datos.valor(0), datos.valor(1), datos.valor(2)});
    }
    return periodos;
}

// Positions 2 and 3 of the first school-days record replace both dates, when that
// record holds more than one dato.
void FechasDeJornadas(const XmlDocument& doc, Periodo& ultimo, InformeLectura& lectura) {
    const char* const bloque = "JORNADAS_ESCOLARES";
    const XmlNode primero = doc.selectNodes(ExpresionBloque(bloque)).item(0);
    if (!primero)
        return;
    const RegistroSeneca datos = DatosDe(primero);
    if (datos.length() <= 1) {
        lectura.bloques[bloque].saltados.insert(0);
        return;
    }
    if (!datos.tiene(3))
        lectura.bloques[bloque].incompletos.insert(0);
    ultimo.inicio = datos.valor(2);
    ultimo.fin = datos.valor(3);
}

} // namespace

void TrabajoExportar::CrearPeriodos() {
    std::vector<Periodo> periodos = LeerPrimerosBloques(DocXML, informe.lectura);
    if (periodos.empty())
        throw Error("El documento no trae el año escolar: ninguno de sus dos primeros bloques "
                    "de datos tiene el año y las fechas. No se ha creado la tabla PERIODOS.");
    Periodo& ultimo = periodos.back();
    if (ultimo.inicio.empty() || ultimo.fin.empty())
        FechasDeJornadas(DocXML, ultimo, informe.lectura);

    BorrarTablaAnterior(carpeta_, "PERIODOS");
    CrearTabla(carpeta_, "PERIODOS", kCamposPeriodos);
    Tabla tabla(carpeta_, "PERIODOS");
    for (const Periodo& periodo : periodos) {
        tabla.Append();
        tabla.FieldByName("CURSOANNO").SetAsString(periodo.anno);
        tabla.FieldByName("F_INICIO").SetAsString(periodo.inicio);
        tabla.FieldByName("F_FIN").SetAsString(periodo.fin);
        tabla.Post();
    }
    tabla.Close();
}

} // namespace belvaro
