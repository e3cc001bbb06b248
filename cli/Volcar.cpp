#include "cli/Comandos.h"

#include "app/Error.h"
#include "seneca/CodePage.h"
#include "tables/Tabla.h"

#include <filesystem>
#include <iostream>
#include <string>

namespace belvaro::cli {

namespace {

constexpr const char* kUsoVolcar = "Uso: belvaro-cli volcar TABLA.DBF\n"
                                   "Muestra la tabla como CSV en UTF-8: una fila con los nombres "
                                   "de los campos y una por registro.\n";

// One CSV value: quoted, with its quotes doubled, when it holds a comma, a quote or a
// line break.
std::string Csv(const std::string& valor) {
    if (valor.find_first_of(",\"\r\n") == std::string::npos)
        return valor;
    std::string r = "\"";
    for (char c : valor) {
        if (c == '"')
            r += '"';
        r += c;
    }
    return r + "\"";
}

void Fila(std::ostream& salida, const std::vector<std::string>& valores) {
    for (std::size_t i = 0; i < valores.size(); ++i)
        salida << (i ? "," : "") << Csv(valores[i]);
    salida << "\n";
}

} // namespace

int Volcar(const Argumentos& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsoVolcar;
        return kOk;
    }
    if (args.size() != 1 || args[0].empty() || args[0].front() == '-') {
        std::cerr << "Se espera exactamente una tabla.\n" << kUsoVolcar;
        return kUso;
    }
    const std::filesystem::path archivo(args[0]);
    const auto carpeta = archivo.has_parent_path() ? archivo.parent_path() : ".";
    Tabla tabla(carpeta, archivo.filename().string(), Acceso::Compartido);

    std::vector<std::string> valores;
    for (const auto& campo : tabla.Campos())
        valores.push_back(AnsiAUtf8(campo.nombre));
    Fila(std::cout, valores);
    for (tabla.First(); !tabla.Eof(); tabla.Next()) {
        valores.clear();
        for (std::size_t i = 0; i < tabla.Campos().size(); ++i)
            valores.push_back(AnsiAUtf8(Campo(tabla, static_cast<int>(i)).AsString()));
        Fila(std::cout, valores);
    }
    tabla.Close();
    std::cout.flush();
    if (!std::cout)
        throw Error("No se pudo escribir la tabla " + tabla.Nombre() + " en la salida.");
    return kOk;
}

} // namespace belvaro::cli
