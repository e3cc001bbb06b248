#include "cli/InterlocutorExportar.h"

#include "app/Clipper.h"
#include "app/Error.h"
#include "app/Mensajes.h"
#include "export/TurnoCursos.h"
#include "seneca/CodePage.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <vector>

namespace belvaro::cli {

namespace {

// The check's rule: nothing left without the characters up to code 32.
bool EnBlanco(const std::string& texto) {
    return std::all_of(texto.begin(), texto.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

bool Incompleta(Tabla& cursos) {
    return EnBlanco(cursos.FieldByName("NIVEL").AsString()) ||
           EnBlanco(cursos.FieldByName("CURSO").AsString());
}

void Poner(Tabla& cursos, const char* campo, const std::string& valor) {
    if (valor.empty() || !EnBlanco(cursos.FieldByName(campo).AsString()))
        return;
    if (!cursos.Editando())
        cursos.Edit();
    cursos.FieldByName(campo).SetAsString(valor);
}

// The levels file's values for the rows whose level or year is still blank.
void Rellenar(Tabla& cursos, const NivelesPorClave& niveles) {
    for (cursos.First(); !cursos.Eof(); cursos.Next()) {
        const auto encontrado = niveles.find(cursos.FieldByName("CLAVE").AsString());
        if (encontrado == niveles.end())
            continue;
        Poner(cursos, "NIVEL", encontrado->second.nivel);
        Poner(cursos, "CURSO", encontrado->second.curso);
        if (cursos.Editando())
            cursos.Post();
    }
}

// "CLAVE (ESTUDIOS)" in UTF-8, for the person.
std::string Describir(Tabla& cursos) {
    return AnsiAUtf8(cursos.FieldByName("CLAVE").AsString()) + " (" +
           AnsiAUtf8(cursos.FieldByName("ESTUD").AsString()) + ")";
}

std::vector<std::string> CursosIncompletos(Tabla& cursos) {
    std::vector<std::string> lista;
    for (cursos.First(); !cursos.Eof(); cursos.Next())
        if (Incompleta(cursos))
            lista.push_back(Describir(cursos));
    return lista;
}

} // namespace

InterlocutorExportar::InterlocutorExportar(Opciones opciones, std::istream& entrada,
                                           std::ostream& salida)
    : opciones_(std::move(opciones)), entrada_(entrada), salida_(salida) {}

std::optional<std::filesystem::path>
InterlocutorExportar::ElegirArchivo(const std::filesystem::path&) {
    return opciones_.archivo;
}

void InterlocutorExportar::Mensaje(const std::string& texto) {
    salida_ << texto << '\n';
}

void InterlocutorExportar::MostrarControlCursos(TurnoCursos& turno) {
    Rellenar(turno.Cursos(), opciones_.niveles);
    if (turno.CursosIncompletos()) {
        if (opciones_.forzarSalida) {
            turno.BitBtn2Click();
            return;
        }
        Preguntar(turno);
        if (!turno.Salida.empty())
            return;
    }
    const std::vector<std::string> incompletos = CursosIncompletos(turno.Cursos());
    if (!turno.BitBtn1Click())
        return;
    Mensaje(mensajes::kFaltaAlgunDato);
    if (opciones_.terminal || opciones_.forzarSalida)
        return;
    salida_ << "Cursos sin NIVEL o sin CURSO:\n";
    for (const std::string& curso : incompletos)
        salida_ << "  " << curso << '\n';
    throw TrabajoDetenido("Faltan el NIVEL o el CURSO de " + std::to_string(incompletos.size()) +
                          " curso(s); indíquelos con --niveles o use --forzar-salida. No se ha "
                          "cambiado ninguna tabla.");
}

// At the terminal: the forced exit, or each missing value (Enter leaves it empty).
void InterlocutorExportar::Preguntar(TurnoCursos& turno) {
    salida_ << "Pulse Intro para completar los datos que faltan, o escriba fuera para forzar "
               "la salida sin terminar (los datos quedarán INCOHERENTES): "
            << std::flush;
    if (AllTrim(LeerLinea()) == "fuera") {
        turno.BitBtn2Click();
        return;
    }
    Tabla& cursos = turno.Cursos();
    for (cursos.First(); !cursos.Eof(); cursos.Next()) {
        if (!Incompleta(cursos))
            continue;
        salida_ << "Curso " << Describir(cursos) << '\n';
        for (const char* campo : {"NIVEL", "CURSO"}) {
            if (!EnBlanco(cursos.FieldByName(campo).AsString()))
                continue;
            salida_ << "  " << campo << ": " << std::flush;
            const std::string valor = Utf8AAnsi(AllTrim(LeerLinea()));
            if (!cursos.Editando())
                cursos.Edit();
            cursos.FieldByName(campo).SetAsString(valor);
        }
        if (cursos.Editando())
            cursos.Post();
    }
}

std::string InterlocutorExportar::LeerLinea() {
    std::string linea;
    if (!std::getline(entrada_, linea))
        throw TrabajoDetenido("La entrada se ha cerrado antes de completar los niveles y "
                              "cursos. No se ha cambiado ninguna tabla.");
    if (!linea.empty() && linea.back() == '\r')
        linea.pop_back();
    return linea;
}

} // namespace belvaro::cli
