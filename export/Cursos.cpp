#include "export/TrabajoExportar.h"

#include "export/TablaAnterior.h"
#include "export/TurnoCursos.h"
#include "tables/Tabla.h"

#include <string>
#include <vector>

namespace belvaro {

namespace {

const std::vector<DefCampo> kCamposCursos = {
    {"ABREV", TipoCampo::Texto, 3},  {"TURNO", TipoCampo::Texto, 1},
    {"NIVEL", TipoCampo::Texto, 5},  {"CURSO", TipoCampo::Texto, 3},
    {"CLAVE", TipoCampo::Texto, 10}, {"ESTUD", TipoCampo::Texto, 80},
};

// Showings of the level and course dialog, each a new one, until a showing ends without
// an incomplete course. Returns the Salida of the last one.
std::string TurnosDeCursos(const std::filesystem::path& carpeta, Interlocutor& interlocutor,
                           bool& cursosIncompletos) {
    for (;;) {
        TurnoCursos ControlCursos(carpeta, cursosIncompletos);
        interlocutor.MostrarControlCursos(ControlCursos);
        ControlCursos.Cerrar();
        if (!ControlCursos.Incompleto)
            return ControlCursos.Salida;
        cursosIncompletos = true;
    }
}

} // namespace

void TrabajoExportar::CrearCursos() {
    BorrarTablaAnterior(carpeta_, "CURSOST");
    CrearTabla(carpeta_, "CURSOST", kCamposCursos);
    {
        Tabla cursos(carpeta_, "CURSOST");
        RecorrerBloque(DocXML, "CURSOS_DEL_CENTRO", 1, informe.lectura,
                       [&cursos](const RegistroSeneca& registro) {
                           cursos.Append();
                           cursos.FieldByName("CLAVE").SetAsString(registro.valor(0));
                           cursos.FieldByName("ESTUD").SetAsString(registro.valor(1));
                           cursos.Post();
                       });
        cursos.Close();
    }
    if (TurnosDeCursos(carpeta_, interlocutor_, CursosIncompletos) == "fuera") {
        informe.salidaForzada = true;
        interlocutor_.CerrarVentanaPrincipal();
    }
}

} // namespace belvaro
