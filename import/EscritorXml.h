#pragma once

#include <memory>
#include <string>
#include <string_view>

struct _xmlTextWriter;

namespace belvaro {

// Writes elements as XML text straight into memory, escaped by libxml2 and in the
// given encoding (characters it cannot hold become character references). No
// declaration and no white space are added. For the large parts of a document that
// would cost too much memory as a tree.
class EscritorXml {
  public:
    explicit EscritorXml(const std::string& codificacion);
    ~EscritorXml();
    EscritorXml(const EscritorXml&) = delete;
    EscritorXml& operator=(const EscritorXml&) = delete;

    void Abrir(const char* nombre);
    void Atributo(const char* nombre, std::string_view utf8);
    void Texto(std::string_view utf8);
    // Closes the innermost open element ("/>" when it holds nothing).
    void Cerrar();
    // The bytes written so far; the writer starts again empty.
    std::string Tomar();

  private:
    void Comprobar(int resultado, const char* que) const;

    std::string bytes_;
    std::string codificacion_;
    _xmlTextWriter* escritor_ = nullptr;
};

} // namespace belvaro
