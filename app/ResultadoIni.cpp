#include "app/ResultadoIni.h"

#include "app/Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace belvaro {

namespace fs = std::filesystem;

namespace {

// One line of the file: its text and the terminator that followed it ("" on a
// last line without one).
struct Linea {
    std::string texto;
    std::string fin;
};

std::vector<Linea> PartirLineas(std::string_view contenido) {
    std::vector<Linea> lineas;
    std::size_t inicio = 0;
    while (inicio < contenido.size()) {
        const std::size_t salto = contenido.find('\n', inicio);
        if (salto == std::string_view::npos) {
            lineas.push_back({std::string(contenido.substr(inicio)), ""});
            break;
        }
        std::size_t finTexto = salto;
        if (finTexto > inicio && contenido[finTexto - 1] == '\r')
            --finTexto;
        lineas.push_back({std::string(contenido.substr(inicio, finTexto - inicio)),
                          std::string(contenido.substr(finTexto, salto + 1 - finTexto))});
        inicio = salto + 1;
    }
    return lineas;
}

std::string_view SinBlancos(std::string_view texto) {
    const auto esBlanco = [](char c) { return c == ' ' || c == '\t'; };
    while (!texto.empty() && esBlanco(texto.front()))
        texto.remove_prefix(1);
    while (!texto.empty() && esBlanco(texto.back()))
        texto.remove_suffix(1);
    return texto;
}

bool IgualesSinMayusculas(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto minuscula = [](char c) {
            return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
        };
        if (minuscula(a[i]) != minuscula(b[i]))
            return false;
    }
    return true;
}

// The section name of a "[name]" line.
std::optional<std::string_view> NombreSeccion(std::string_view texto, bool primeraLinea) {
    if (primeraLinea && texto.starts_with("\xEF\xBB\xBF"))
        texto.remove_prefix(3);
    texto = SinBlancos(texto);
    if (!texto.starts_with('['))
        return std::nullopt;
    const std::size_t cierre = texto.find(']');
    if (cierre == std::string_view::npos)
        return std::nullopt;
    return SinBlancos(texto.substr(1, cierre - 1));
}

bool EsClave(std::string_view texto, std::string_view clave) {
    const std::string_view limpio = SinBlancos(texto);
    if (limpio.starts_with(';'))
        return false;
    const std::size_t igual = limpio.find('=');
    return igual != std::string_view::npos &&
           IgualesSinMayusculas(SinBlancos(limpio.substr(0, igual)), clave);
}

std::string Unir(const std::vector<Linea>& lineas) {
    std::string texto;
    for (const Linea& linea : lineas)
        texto += linea.texto + linea.fin;
    return texto;
}

// The last line must end before another is added after it.
void Terminar(Linea& linea, const std::string& fin) {
    if (linea.fin.empty())
        linea.fin = fin;
}

std::string LeerSiExiste(const fs::path& ruta) {
    std::error_code error;
    if (!fs::exists(ruta, error))
        return {};
    std::ifstream entrada(ruta, std::ios::binary);
    std::ostringstream texto;
    if (entrada)
        texto << entrada.rdbuf();
    if (!entrada || fs::is_directory(ruta, error))
        throw Error("No se puede leer el archivo de resultado \"" + ruta.string() + "\".");
    return texto.str();
}

// A file descriptor closed on every path.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int Cerrar() {
        const int resultado = ::close(fd_);
        fd_ = -1;
        return resultado;
    }

  private:
    int fd_;
};

[[noreturn]] void FalloEscritura(const fs::path& ruta, const std::string& causa) {
    throw Error("No se puede escribir el archivo de resultado \"" + ruta.string() + "\": " + causa);
}

// Writes `texto` beside `ruta` under a temporary name and renames it into place.
void EscribirAtomico(const fs::path& ruta, const std::string& texto, fs::perms permisos) {
    std::string plantilla = (ruta.parent_path() / (ruta.filename().string() + ".XXXXXX")).string();
    Descriptor fd(::mkstemp(plantilla.data()));
    if (fd.get() < 0)
        FalloEscritura(ruta, std::strerror(errno));
    const fs::path temporal = plantilla;
    std::size_t escrito = 0;
    while (escrito < texto.size()) {
        const ssize_t n = ::write(fd.get(), texto.data() + escrito, texto.size() - escrito);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const std::string causa = std::strerror(errno);
            std::error_code ignorado;
            fs::remove(temporal, ignorado);
            FalloEscritura(ruta, causa);
        }
        escrito += static_cast<std::size_t>(n);
    }
    std::error_code error;
    if (::fsync(fd.get()) != 0 || fd.Cerrar() != 0) {
        const std::string causa = std::strerror(errno);
        fs::remove(temporal, error);
        FalloEscritura(ruta, causa);
    }
    fs::permissions(temporal, permisos, error);
    fs::rename(temporal, ruta, error);
    if (error) {
        std::error_code ignorado;
        fs::remove(temporal, ignorado);
        FalloEscritura(ruta, error.message());
    }
}

} // namespace

std::string ActualizarIni(std::string_view contenido, std::string_view seccion,
                          std::string_view clave, std::string_view valor) {
    std::vector<Linea> lineas = PartirLineas(contenido);
    const bool hayLf = contenido.find('\n') != std::string_view::npos;
    const std::string fin =
        !hayLf || contenido.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
    const std::string nueva = std::string(clave) + "=" + std::string(valor);

    std::size_t cabecera = 0;
    while (cabecera < lineas.size()) {
        const auto nombre = NombreSeccion(lineas[cabecera].texto, cabecera == 0);
        if (nombre && IgualesSinMayusculas(*nombre, seccion))
            break;
        ++cabecera;
    }
    if (cabecera == lineas.size()) {
        if (!lineas.empty())
            Terminar(lineas.back(), fin);
        lineas.push_back({"[" + std::string(seccion) + "]", fin});
        lineas.push_back({nueva, fin});
        return Unir(lineas);
    }

    std::size_t ultima = cabecera; // last non-blank line of the section
    for (std::size_t i = cabecera + 1; i < lineas.size(); ++i) {
        if (NombreSeccion(lineas[i].texto, false))
            break;
        if (EsClave(lineas[i].texto, clave)) {
            lineas[i].texto = nueva;
            return Unir(lineas);
        }
        if (!SinBlancos(lineas[i].texto).empty())
            ultima = i;
    }
    Terminar(lineas[ultima], fin);
    lineas.insert(lineas.begin() + static_cast<std::ptrdiff_t>(ultima + 1), Linea{nueva, fin});
    return Unir(lineas);
}

void EscribirTransformado(const fs::path& ruta, int transformado) {
    std::error_code error;
    const auto estado = fs::status(ruta, error);
    // A read-only result file belongs to the host; it is not replaced behind its back.
    if (fs::exists(estado) && (estado.permissions() & fs::perms::owner_write) == fs::perms::none)
        FalloEscritura(ruta, "el archivo es de solo lectura");
    const fs::perms permisos = fs::exists(estado)
                                   ? estado.permissions()
                                   : fs::perms::owner_read | fs::perms::owner_write |
                                         fs::perms::group_read | fs::perms::others_read;
    const std::string contenido = LeerSiExiste(ruta);
    EscribirAtomico(
        ruta,
        ActualizarIni(contenido, kSeccionResultado, kClaveResultado, std::to_string(transformado)),
        permisos);
}

} // namespace belvaro
