#include "export/TurnoCursos.h"

#include "app/Error.h"

#include <algorithm>
#include <string_view>

namespace belvaro {

namespace {

// Nothing left once leading and trailing characters up to code 32 are stripped.
bool SinValor(std::string_view texto) {
    return std::all_of(texto.begin(), texto.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

} // namespace

TurnoCursos::TurnoCursos(const std::filesystem::path& carpeta, bool cursosIncompletos)
    : cursosIncompletos_(cursosIncompletos) {
    cursos_.emplace(carpeta, "CURSOST", Acceso::Compartido);
}

Tabla& TurnoCursos::Cursos() {
    if (!cursos_)
        throw Error("La tabla CURSOST ya se ha cerrado en este turno del diálogo de niveles "
                    "y cursos.");
    return *cursos_;
}

bool TurnoCursos::BitBtn1Click() {
    Tabla& cursos = Cursos();
    if (cursos.Editando())
        cursos.Post(); // leaving the grid stores the row being edited
    Incompleto = false;
    for (cursos.First(); !cursos.Eof(); cursos.Next()) {
        if (SinValor(cursos.FieldByName("NIVEL").AsString()) ||
            SinValor(cursos.FieldByName("CURSO").AsString())) {
            Incompleto = true;
            break;
        }
    }
    Cerrar();
    return Incompleto;
}

void TurnoCursos::BitBtn2Click() {
    Cursos();
    Cerrar();
    Incompleto = false;
    Salida = "fuera";
}

void TurnoCursos::Cerrar() {
    if (!cursos_)
        return;
    cursos_->Close();
    cursos_.reset();
}

} // namespace belvaro
