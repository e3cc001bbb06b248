#include "import/Soluc.h"

#include "app/Clipper.h"
#include "app/Error.h"
#include "seneca/CodePage.h"

#include <charconv>

namespace belvaro {

namespace {

bool EsNumerico(char tipo) {
    return tipo == 'N' || tipo == 'F' || tipo == 'I';
}

// Whole digits, optionally followed by a point and nothing but zeros.
bool SinDecimales(std::string_view resto) {
    if (resto.empty())
        return true;
    if (resto.front() != '.')
        return false;
    return resto.find_first_not_of('0', 1) == std::string_view::npos;
}

} // namespace

long long EnteroDeCampo(std::string_view texto, char tipo, std::string_view tabla,
                        std::string_view campo, int registro) {
    const std::string limpio = AllTrim(texto);
    if (limpio.empty() && EsNumerico(tipo))
        return 0;
    long long valor = 0;
    const char* inicio = limpio.data();
    const char* fin = limpio.data() + limpio.size();
    if (inicio != fin && *inicio == '+')
        ++inicio;
    const auto [resto, error] = std::from_chars(inicio, fin, valor);
    if (limpio.empty() || error != std::errc() ||
        !SinDecimales(std::string_view(resto, static_cast<std::size_t>(fin - resto))))
        throw Error("La tabla " + std::string(tabla) + " tiene en el campo " + std::string(campo) +
                    " del registro " + std::to_string(registro) + " el valor \"" +
                    AnsiAUtf8(texto) + "\", que no es un número entero.");
    return valor;
}

Soluc::Soluc(Tabla& tabla) : tabla_(tabla.Nombre()) {
    for (const char* nombre : kCamposSoluc)
        if (!tabla.TieneCampo(nombre))
            throw Error("A la tabla " + tabla_ + " (" + tabla.Ruta().string() +
                        ") le falta el campo " + nombre +
                        ", que el horario de Zeltora debe traer.");
    Campo prof = tabla.FieldByName("PROF"), dia = tabla.FieldByName("DIA"),
          hora = tabla.FieldByName("HORA"), asig = tabla.FieldByName("ASIG"),
          grupo = tabla.FieldByName("CODGRUPO"), tarea = tabla.FieldByName("TAREA"),
          aula = tabla.FieldByName("AULA");
    tipoDia_ = dia.Info().tipo;
    tipoHora_ = hora.Info().tipo;
    for (tabla.First(); !tabla.Eof(); tabla.Next()) {
        FilaSoluc fila{tabla.RecNo(),   prof.AsString(),  dia.AsString(),   hora.AsString(),
                       asig.AsString(), grupo.AsString(), tarea.AsString(), aula.AsString()};
        auto [grupoFilas, nuevo] = porProfesor_.try_emplace(fila.PROF);
        if (nuevo)
            profesores_.push_back(fila.PROF);
        grupoFilas->second.push_back(std::move(fila));
    }
}

const std::vector<FilaSoluc>& Soluc::DelProfesor(const std::string& abrev) const {
    static const std::vector<FilaSoluc> kNinguna;
    const auto encontrado = porProfesor_.find(abrev);
    return encontrado == porProfesor_.end() ? kNinguna : encontrado->second;
}

long long Soluc::Dia(const FilaSoluc& fila) const {
    return EnteroDeCampo(fila.DIA, tipoDia_, tabla_, "DIA", fila.registro);
}

long long Soluc::Hora(const FilaSoluc& fila) const {
    return EnteroDeCampo(fila.HORA, tipoHora_, tabla_, "HORA", fila.registro);
}

} // namespace belvaro
