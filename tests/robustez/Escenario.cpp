#include "tests/robustez/Escenario.h"

#include <stdexcept>

namespace belvaro::robustez {

namespace fs = std::filesystem;

fs::path ProgramaCli() {
    return BELVARO_CLI;
}
fs::path ProgramaSoluc() {
    return BELVARO_SOLUC;
}
fs::path Muestras() {
    return BELVARO_MUESTRAS;
}

namespace {

void Correr(const fs::path& programa, const std::vector<std::string>& argumentos) {
    const Resultado r = Ejecutar(programa, argumentos);
    if (r.salida != 0)
        throw std::runtime_error("La preparación del escenario falló: " + programa.string() + ": " +
                                 r.Texto());
}

// Built once per test program; every case copies it.
class Plantilla {
  public:
    Plantilla() {
        const fs::path raiz = carpeta_.ruta();
        fs::create_directories(raiz / "entrada");
        fs::copy_file(Muestras() / "seneca-ejemplo.xml", raiz / "entrada" / "seneca.xml");
        fs::copy_file(Muestras() / "niveles-ejemplo.csv", raiz / "niveles.csv");
        const std::string datos = (raiz / "ZTEMP").string();
        Correr(ProgramaCli(), {"exportar", (raiz / "entrada" / "seneca.xml").string(), "--datos",
                               datos, "--niveles", (raiz / "niveles.csv").string()});
        Correr(ProgramaSoluc(), {"--datos", datos});
        Correr(ProgramaCli(),
               {"importar", (raiz / "entrada" / "seneca.xml").string(), "--datos", datos});
        // Readable by another user, for the runs that drop root.
        for (const auto& entrada : fs::recursive_directory_iterator(raiz))
            fs::permissions(entrada.path(),
                            fs::perms::others_read | fs::perms::group_read |
                                (entrada.is_directory() ? fs::perms::others_exec : fs::perms::none),
                            fs::perm_options::add);
    }
    const fs::path& Ruta() const { return carpeta_.ruta(); }

  private:
    prueba::CarpetaTemporal carpeta_;
};

const Plantilla& LaPlantilla() {
    static const Plantilla plantilla;
    return plantilla;
}

} // namespace

Escenario::Escenario() {
    fs::copy(LaPlantilla().Ruta(), Raiz(), fs::copy_options::recursive);
    fs::permissions(Raiz(), fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
}

std::vector<std::string> Escenario::Exportar() const {
    return {"exportar",       Xml().string(), "--datos",
            Datos().string(), "--niveles",    Niveles().string()};
}

std::vector<std::string> Escenario::Importar() const {
    return {"importar", Xml().string(), "--datos", Datos().string()};
}

std::vector<fs::path> TablasExportadas(const fs::path& datos) {
    std::vector<fs::path> tablas;
    for (const char* nombre : {"PERIODOS", "CURSOST", "ASIGNOMT", "ASIGNOMT2", "PROFT", "AULAT",
                               "GRUPOST", "ASIGT", "DIASHORAST"})
        tablas.push_back(datos / (std::string(nombre) + ".DBF"));
    return tablas;
}

} // namespace belvaro::robustez
