#include "export/TrabajoExportar.h"

#include "app/Error.h"
#include "seneca/CodePage.h"
#include "tables/Tabla.h"

#include <charconv>
#include <string>
#include <vector>

namespace belvaro {

namespace {

struct Tramo {
    int numero = 0; // 1-based position in the block
    std::string codigo;
    std::string hora;
    std::string desde; // as read
    std::string hasta; // as read
};

// A time of fewer than four characters gets one "0" in front (480 -> 0480, "" -> 0).
std::string ConCeroDelante(const std::string& hora) {
    return hora.size() < 4 ? "0" + hora : hora;
}

// The stored time (with its "0" in front) read as a whole number, as the host's
// integer conversion reads it: optional sign, decimal digits, nothing else.
long long HoraEntera(const Tramo& tramo, const std::string& leida, const char* cual) {
    const std::string valor = ConCeroDelante(leida);
    int numero = 0;
    const char* inicio = valor.data();
    const char* fin = inicio + valor.size();
    if (inicio != fin && *inicio == '+')
        ++inicio;
    const auto [resto, error] = std::from_chars(inicio, fin, numero);
    if (error != std::errc() || resto != fin || inicio == fin) {
        throw Error("El tramo horario " + std::to_string(tramo.numero) + " (código «" +
                    AnsiAUtf8(tramo.codigo) + "») del bloque TRAMOS_HORARIOS tiene una hora de " +
                    cual + " que no se puede leer como número entero: «" + AnsiAUtf8(leida) + "».");
    }
    return numero;
}

std::vector<Tramo> LeerTramos(const XmlDocument& doc, InformeLectura& lectura) {
    std::vector<Tramo> tramos;
    RecorrerBloque(
        doc, "TRAMOS_HORARIOS", 3, lectura,
        [&](const RegistroSeneca& r) {
            const int numero = static_cast<int>(tramos.size()) + 1;
            tramos.push_back(Tramo{numero, r.valor(0), r.valor(1), r.valor(2), r.valor(3)});
        },
        /*sinPruebaDeDatos=*/true);
    return tramos;
}

const std::vector<DefCampo>& CamposTramos() {
    static const std::vector<DefCampo> campos = {
        {"DIHO", TipoCampo::Texto, 10},     {"CODDIHO", TipoCampo::Texto, 10},
        {"DIA", TipoCampo::Texto, 20},      {"TEXTODIA", TipoCampo::Texto, 20},
        {"HORA", TipoCampo::Texto, 8},      {"TEXTOHOR", TipoCampo::Texto, 8},
        {"HORADESDE", TipoCampo::Texto, 8}, {"HORAHASTA", TipoCampo::Texto, 8},
        {"MINUTOS", TipoCampo::Texto, 8},
    };
    return campos;
}

} // namespace

void TrabajoExportar::CrearTramos() {
    CrearTabla(Carpeta(), "DIASHORAST", CamposTramos());
    Tabla tabla(Carpeta(), "DIASHORAST");
    const std::vector<Tramo> tramos = LeerTramos(DocXML, informe.lectura);
    int filas = 0;
    for (int dia = 1; dia <= 7; ++dia) {
        for (const Tramo& tramo : tramos) {
            const long long desde = HoraEntera(tramo, tramo.desde, "inicio");
            const long long minutos = HoraEntera(tramo, tramo.hasta, "fin") - desde;
            const std::string textoDia = std::to_string(dia);
            tabla.Append();
            tabla.FieldByName("DIHO").SetAsString(textoDia + std::to_string(tramo.numero));
            tabla.FieldByName("DIA").SetAsString(textoDia);
            tabla.FieldByName("HORA").SetAsString(tramo.hora);
            tabla.FieldByName("TEXTOHOR").SetAsString(tramo.hora);
            tabla.FieldByName("CODDIHO").SetAsString(tramo.codigo);
            tabla.FieldByName("HORADESDE").SetAsString(ConCeroDelante(tramo.desde));
            tabla.FieldByName("HORAHASTA").SetAsString(ConCeroDelante(tramo.hasta));
            tabla.FieldByName("MINUTOS").SetAsString(std::to_string(minutos));
            tabla.Post();
            ++filas;
        }
    }
    tabla.Close();
    informe.filasPorTabla.emplace_back("DIASHORAST", filas);
}

} // namespace belvaro
