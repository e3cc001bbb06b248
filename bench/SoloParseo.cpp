// Parses an XML file with libxml2 and frees it, nothing else: the floor the export's
// time is compared with. Exit status 0 when the file is well formed.
#include <libxml/parser.h>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Uso: belvaro-solo-parseo FICHERO.xml\n");
        return 2;
    }
    const std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
        xmlReadFile(argv[1], nullptr, XML_PARSE_NONET | XML_PARSE_NOXINCNODE), &xmlFreeDoc);
    xmlCleanupParser();
    if (!doc) {
        std::fprintf(stderr, "%s: no es un XML válido\n", argv[1]);
        return 1;
    }
    return 0;
}
