#include "cli/Comandos.h"

#include "app/Error.h"

#include <cstring>
#include <iostream>

namespace {

constexpr const char* kAyuda =
    R"(belvaro-cli: traspasa los datos de horarios entre Séneca y Zeltora sin ventanas.

Uso:
  belvaro-cli exportar FICHERO.xml [--datos CARPETA] [--niveles NIVELES.csv] [--forzar-salida]
      Lee el fichero de intercambio de Séneca y rehace las nueve tablas de Zeltora.
  belvaro-cli importar FICHERO.xml [--datos CARPETA]
      Lee el horario terminado (SOLUC) y escribe el XML de horarios regulares para Séneca.
  belvaro-cli volcar TABLA.DBF
      Muestra una tabla dBase como CSV en UTF-8.
  belvaro-cli --help | --version

Use "belvaro-cli ORDEN --help" para ver las opciones de cada orden.

Carpeta de datos: --datos, o la variable BELVARO_ZTEMP, o $WINEPREFIX/drive_c/ZTEMP
(~/.wine/drive_c/ZTEMP si no hay WINEPREFIX).

Códigos de salida: 0 terminado, 1 error, 2 uso incorrecto, 3 no existe el archivo,
4 trabajo detenido, 5 falta PERIODOS.DBF.
)";

} // namespace

int main(int argc, char** argv) {
    using namespace belvaro::cli;
    if (argc < 2) {
        std::cerr << kAyuda;
        return kUso;
    }
    const std::string orden = argv[1];
    const Argumentos resto(argv + 2, argv + argc);
    try {
        if (orden == "--help" || orden == "-h" || orden == "ayuda") {
            std::cout << kAyuda;
            return kOk;
        }
        if (orden == "--version") {
            std::cout << "belvaro-cli " << BELVARO_VERSION << "\n";
            return kOk;
        }
        if (orden == "volcar")
            return Volcar(resto);
        if (orden == "exportar")
            return Exportar(resto);
        if (orden == "importar")
            return Importar(resto);
        std::cerr << "Orden desconocida: " << orden << "\n\n" << kAyuda;
        return kUso;
    } catch (const belvaro::Error& e) {
        std::cerr << "Error: " << e.what() << "\n";
        return kError;
    }
}
