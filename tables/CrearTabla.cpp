#include "tables/ArchivoTabla.h"
#include "tables/FormatoDbf.h"
#include "tables/Tabla.h"

#include "app/Error.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace belvaro {

namespace {

// How each kind asked for is stored:
//   text           C(ancho), 1 to 254 characters
//   integer        N(11,0): every 32-bit value with its sign
//   floating point N(20,4): what the timetable's hours need, and readable by every
//                  dBase reader (F is not understood by all)
//   logical        L(1)
constexpr int kAnchoEntero = 11;
constexpr int kAnchoFlotante = 20;
constexpr int kDecimalesFlotante = 4;
constexpr int kAnchoTextoMaximo = 254;
constexpr std::size_t kCamposMaximos = 255;

std::string Donde(std::string_view tabla) {
    return "la tabla " + std::string(tabla);
}

std::string NombreGuardado(const DefCampo& def, std::string_view tabla) {
    const auto& n = def.nombre;
    const bool valido = !n.empty() && std::isalpha(static_cast<unsigned char>(n[0])) &&
                        std::all_of(n.begin(), n.end(),
                                    [](unsigned char c) { return std::isalnum(c) || c == '_'; });
    if (!valido)
        throw Error("El nombre de campo «" + n + "» no es válido para " + Donde(tabla) + ".");
    std::string corto = n.substr(0, dbf::kLargoNombre);
    std::transform(corto.begin(), corto.end(), corto.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return corto;
}

InfoCampo Disposicion(const DefCampo& def, std::string_view tabla) {
    InfoCampo c;
    c.nombre = NombreGuardado(def, tabla);
    switch (def.tipo) {
    case TipoCampo::Texto:
        if (def.ancho < 1 || def.ancho > kAnchoTextoMaximo)
            throw Error("El campo " + def.nombre + " de " + Donde(tabla) + " tiene ancho " +
                        std::to_string(def.ancho) + "; debe estar entre 1 y 254.");
        c.tipo = 'C';
        c.ancho = def.ancho;
        break;
    case TipoCampo::Entero:
        c.tipo = 'N';
        c.ancho = kAnchoEntero;
        break;
    case TipoCampo::Flotante:
        c.tipo = 'N';
        c.ancho = kAnchoFlotante;
        c.decimales = kDecimalesFlotante;
        break;
    case TipoCampo::Logico:
        c.tipo = 'L';
        c.ancho = 1;
        break;
    }
    return c;
}

std::vector<InfoCampo> Disposiciones(const std::vector<DefCampo>& defs, std::string_view tabla) {
    if (defs.empty() || defs.size() > kCamposMaximos)
        throw Error("No se puede crear " + Donde(tabla) + " con " + std::to_string(defs.size()) +
                    " campos.");
    std::vector<InfoCampo> campos;
    std::set<std::string> vistos;
    for (const auto& def : defs) {
        campos.push_back(Disposicion(def, tabla));
        if (!vistos.insert(campos.back().nombre).second)
            throw Error("El campo " + campos.back().nombre + " aparece dos veces en " +
                        Donde(tabla) + ".");
    }
    return campos;
}

// A file under a temporary name, removed unless it was renamed into place.
class Temporal {
public:
    explicit Temporal(const std::filesystem::path& destino) {
        plantilla_ =
            (destino.parent_path() / ("." + destino.filename().string() + ".XXXXXX")).string();
        fd_ = ::mkstemp(plantilla_.data());
        if (fd_ < 0)
            throw Error("No se pudo crear un archivo en " + destino.parent_path().string() + ": " +
                        std::strerror(errno) + ".");
    }
    ~Temporal() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!colocado_)
            ::unlink(plantilla_.c_str());
    }
    Temporal(const Temporal&) = delete;
    Temporal& operator=(const Temporal&) = delete;

    void Escribir(const std::string& bytes, mode_t modo) {
        std::size_t hecho = 0;
        while (hecho < bytes.size()) {
            const auto n = ::write(fd_, bytes.data() + hecho, bytes.size() - hecho);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                Fallo();
            hecho += static_cast<std::size_t>(n);
        }
        if (::fchmod(fd_, modo) != 0 || ::fsync(fd_) != 0)
            Fallo();
    }

    void Colocar(const std::filesystem::path& destino) {
        if (::rename(plantilla_.c_str(), destino.c_str()) != 0)
            throw Error("No se pudo poner la tabla nueva en " + destino.string() + ": " +
                        std::strerror(errno) + ".");
        colocado_ = true;
    }

private:
    [[noreturn]] void Fallo() {
        throw Error("No se pudo escribir " + plantilla_ + ": " + std::strerror(errno) + ".");
    }

    std::string plantilla_;
    int fd_ = -1;
    bool colocado_ = false;
};

void SincronizarCarpeta(const std::filesystem::path& carpeta) {
    const int fd = ::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

void CrearTabla(const std::filesystem::path& carpeta, std::string_view nombre,
                const std::vector<DefCampo>& campos) {
    const auto disposicion = Disposiciones(campos, nombre);
    std::error_code ec;
    if (!std::filesystem::is_directory(carpeta, ec))
        throw Error("No existe la carpeta " + carpeta.string() + " para crear la tabla " +
                    std::string(nombre) + ".");
    const auto ruta = RutaTabla(carpeta, nombre);
    std::string etiqueta = ruta.stem().string();
    std::transform(etiqueta.begin(), etiqueta.end(), etiqueta.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });

    // The table being replaced must not be open elsewhere: the other program would
    // go on with the old file and its changes would be lost.
    std::optional<dbf::ArchivoTabla> vieja;
    mode_t modo = 0644;
    struct stat datos {};
    if (::stat(ruta.c_str(), &datos) == 0) {
        vieja.emplace(ruta, etiqueta, Acceso::Exclusivo);
        modo = datos.st_mode & 07777;
    }
    Temporal nueva(ruta);
    std::string bytes = dbf::EscribirCabecera(disposicion, 0);
    bytes += dbf::kFinDatos;
    nueva.Escribir(bytes, modo);
    nueva.Colocar(ruta);
    SincronizarCarpeta(carpeta);
}

} // namespace belvaro
