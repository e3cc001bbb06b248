// belvaro-catalogo CATALOGO.csv SENEMATERIAS.DBF
// Builds the subject catalogue table from its text file.
#include "tools/catalogo/Catalogo.h"

#include "app/Error.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Uso: belvaro-catalogo CATALOGO.csv SENEMATERIAS.DBF\n";
        return 2;
    }
    try {
        const auto materias = belvaro::catalogo::LeerCatalogo(argv[1]);
        belvaro::catalogo::EscribirCatalogo(materias, argv[2]);
        std::cout << argv[2] << ": " << materias.size() << " materias\n";
        return 0;
    } catch (const belvaro::Error& e) {
        std::cerr << "Error: " << e.what() << "\n";
        return 1;
    }
}
