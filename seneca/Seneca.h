#pragma once

#include "seneca/CodePage.h"
#include "seneca/XmlDocument.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Shape and reading rules of Séneca exchange files.
namespace belvaro {

// "/SERVICIO/BLOQUE_DATOS/grupo_datos"
inline constexpr const char* kTodosLosBloques = "/SERVICIO/BLOQUE_DATOS/grupo_datos";

// /SERVICIO/BLOQUE_DATOS/grupo_datos[@seq="<bloque>"]/grupo_datos
std::string ExpresionBloque(std::string_view bloque);

// What the reading loop passed over, per block, for the summary at the end of a job.
// Record numbers are 0-based indexes in the block; a block read by several steps
// counts each record once.
struct InformeLectura {
    struct Bloque {
        std::set<int> saltados;    // one dato or none: not read
        std::set<int> incompletos; // read, but lacking a position the step needed
    };
    std::map<std::string, Bloque> bloques;
};

// The values of one record (or of a block that holds its dato directly),
// by 0-based position among its dato children only.
class RegistroSeneca {
public:
    RegistroSeneca() = default;
    explicit RegistroSeneca(const XmlNodeList& datos);
    int length() const { return static_cast<int>(datos_.size()); }
    // Converted to Windows-1252 and AllTrim'd; empty when the position is absent.
    std::string valor(int posicion) const;
    bool tiene(int posicion) const { return posicion >= 0 && posicion < length(); }

    // Becomes the record of that node: its dato children, in order. The reading loop
    // moves one object from record to record, keeping its list and its converter.
    void Leer(XmlNode nodo);

private:
    std::vector<XmlNode> datos_;
    mutable ConversorAnsi conversor_;
};

// The shared reading loop: every record of the block in document order. A record
// with fewer than two dato is skipped (unless sinPruebaDeDatos), and counted. A record
// read without some position up to posicionMaxima is counted as incomplete; its
// missing values read as empty.
void RecorrerBloque(const XmlDocument& doc, std::string_view bloque, int posicionMaxima,
                    InformeLectura& informe,
                    const std::function<void(const RegistroSeneca&)>& porRegistro,
                    bool sinPruebaDeDatos = false);

// One line per block with incomplete records, for the end of a job:
// "N registros del bloque X no traían todos los datos".
std::vector<std::string> AvisosDeLectura(const InformeLectura& informe);

// The dato children of a node (record or block), for readers that go by hand.
RegistroSeneca DatosDe(XmlNode nodo);

// The school year as the import reads it: the first four characters of the text of
// the first child of /SERVICIO/BLOQUE_DATOS, in Windows-1252, not trimmed. Throws Error
// when the document lacks that node or child.
std::string AnnoEscolar(const XmlDocument& doc, const std::string& archivo);

} // namespace belvaro
