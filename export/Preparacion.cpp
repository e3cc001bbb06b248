#include "export/Preparacion.h"

#include "app/Error.h"
#include "tables/ArchivoTabla.h"
#include "tables/Tabla.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

namespace belvaro {

namespace fs = std::filesystem;

namespace {

// Written last into a complete staging folder: the names of its tables, one a line.
constexpr const char* kMarca = "COMPLETA";

std::string Causa(int numero) {
    return std::strerror(numero);
}

// Flushes a file or folder to the disk, so a complete mark never outlives its tables.
void Sincronizar(const fs::path& ruta) {
    const int fd = ::open(ruta.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw Error("No se pudo abrir " + ruta.string() +
                    " para guardarlo en disco: " + Causa(errno) + ".");
    const int resultado = ::fsync(fd);
    const int causa = errno;
    ::close(fd);
    if (resultado != 0 && causa != EINVAL)
        throw Error("No se pudo guardar en disco " + ruta.string() + ": " + Causa(causa) + ".");
}

bool NombreDeTablaValido(const std::string& nombre) {
    return !nombre.empty() && nombre.size() <= 10 &&
           std::all_of(nombre.begin(), nombre.end(), [](char c) {
               return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
           });
}

void EscribirMarca(const fs::path& carpeta, const std::vector<std::string>& tablas) {
    const fs::path provisional = carpeta / (std::string(kMarca) + ".tmp");
    {
        std::ofstream salida(provisional, std::ios::binary | std::ios::trunc);
        for (const std::string& nombre : tablas)
            salida << nombre << '\n';
        salida.flush();
        if (!salida)
            throw Error("No se pudo escribir " + provisional.string() + ".");
    }
    Sincronizar(provisional);
    std::error_code error;
    fs::rename(provisional, carpeta / kMarca, error);
    if (error)
        throw Error("No se pudo marcar como completa la carpeta " + carpeta.string() + ": " +
                    error.message() + ".");
    Sincronizar(carpeta);
}

std::vector<std::string> LeerMarca(const fs::path& marca) {
    std::ifstream entrada(marca, std::ios::binary);
    if (!entrada)
        throw Error("No se pudo leer " + marca.string() + ".");
    std::vector<std::string> tablas;
    for (std::string nombre; std::getline(entrada, nombre);) {
        if (!NombreDeTablaValido(nombre))
            throw Error("La marca " + marca.string() + " está dañada: \"" + nombre +
                        "\" no es un nombre de tabla.");
        tablas.push_back(nombre);
    }
    return tablas;
}

// Locks every existing destination table and index exclusively, the way the table
// engine does, so none is replaced under a program that has it open.
std::vector<dbf::ArchivoTabla> BloquearDestinos(const fs::path& carpetaDatos,
                                                const std::vector<std::string>& tablas) {
    std::vector<dbf::ArchivoTabla> bloqueos;
    for (const std::string& nombre : tablas) {
        for (const char* extension : {".DBF", ".MDX"}) {
            const fs::path ruta = RutaTabla(carpetaDatos, nombre + extension);
            std::error_code error;
            if (fs::exists(ruta, error))
                bloqueos.emplace_back(ruta, nombre, Acceso::Exclusivo);
        }
    }
    return bloqueos;
}

// Renames each table still in the staging folder over its destination, old index
// first. Tables already moved (by an interrupted earlier try) are passed over.
void MoverTablas(const fs::path& preparacion, const fs::path& carpetaDatos,
                 const std::vector<std::string>& tablas) {
    for (const std::string& nombre : tablas) {
        const fs::path origen = RutaTabla(preparacion, nombre);
        std::error_code error;
        if (!fs::is_regular_file(origen, error))
            continue;
        const fs::path indice = RutaTabla(carpetaDatos, nombre + ".MDX");
        if (fs::exists(indice, error))
            fs::remove(indice, error);
        if (!error)
            fs::rename(origen, RutaTabla(carpetaDatos, nombre), error);
        if (error)
            throw Error("No se pudo colocar la tabla " + nombre + " en " + carpetaDatos.string() +
                        ": " + error.message() + ". Las tablas nuevas quedan preparadas en " +
                        preparacion.string() +
                        " y se colocarán al empezar la próxima exportación.");
    }
    Sincronizar(carpetaDatos);
}

bool EsPreparacion(const fs::directory_entry& entrada) {
    std::error_code error;
    return entrada.is_directory(error) &&
           entrada.path().filename().string().starts_with(kPrefijoPreparacion);
}

} // namespace

void AsegurarCarpetaDatos(const fs::path& carpetaDatos) {
    std::error_code error;
    fs::create_directories(carpetaDatos / "seneca", error);
    if (error || !fs::is_directory(carpetaDatos, error))
        throw Error("No se pudo crear la carpeta de datos " + carpetaDatos.string() + ": " +
                    (error ? error.message() : "ya existe algo con ese nombre") + ".");
}

BloqueoExportacion::BloqueoExportacion(const fs::path& carpetaDatos) {
    fd_ = ::open(carpetaDatos.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0)
        throw Error("No se pudo abrir la carpeta de datos " + carpetaDatos.string() + ": " +
                    Causa(errno) + ".");
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const int causa = errno;
        ::close(fd_);
        if (causa == EWOULDBLOCK)
            throw Error("Ya hay otra exportación en marcha sobre la carpeta de datos " +
                        carpetaDatos.string() + "; espere a que termine.");
        throw Error("No se pudo reservar la carpeta de datos " + carpetaDatos.string() + ": " +
                    Causa(causa) + ".");
    }
}

BloqueoExportacion::~BloqueoExportacion() {
    ::close(fd_);
}

void RecuperarPreparaciones(const fs::path& carpetaDatos) {
    std::vector<fs::path> restos;
    std::error_code error;
    for (fs::directory_iterator it(carpetaDatos, error), fin; !error && it != fin;
         it.increment(error)) {
        if (EsPreparacion(*it))
            restos.push_back(it->path());
    }
    if (error)
        throw Error("No se pudo leer la carpeta de datos " + carpetaDatos.string() + ": " +
                    error.message() + ".");
    for (const fs::path& resto : restos) {
        if (fs::exists(resto / kMarca, error)) {
            const std::vector<std::string> tablas = LeerMarca(resto / kMarca);
            const auto bloqueos = BloquearDestinos(carpetaDatos, tablas);
            MoverTablas(resto, carpetaDatos, tablas);
        }
        fs::remove_all(resto, error);
        if (error)
            throw Error("No se pudo borrar la carpeta " + resto.string() +
                        " que dejó una exportación anterior: " + error.message() + ".");
    }
}

Preparacion::Preparacion(const fs::path& carpetaDatos) : carpetaDatos_(carpetaDatos) {
    std::string plantilla = (carpetaDatos / (std::string(kPrefijoPreparacion) + "XXXXXX")).string();
    if (::mkdtemp(plantilla.data()) == nullptr) {
        const int causa = errno;
        if (causa == EACCES || causa == EROFS || causa == EPERM)
            throw Error("La carpeta de datos " + carpetaDatos.string() + " no admite escritura: " +
                        Causa(causa) + ". No se ha cambiado ninguna tabla.");
        throw Error("No se pudo crear la carpeta de trabajo en " + carpetaDatos.string() + ": " +
                    Causa(causa) + ".");
    }
    ruta_ = plantilla;
}

Preparacion::~Preparacion() {
    if (marcada_ && fs::exists(ruta_ / kMarca))
        return; // an interrupted commit: the next export finishes it
    // A folder that cannot be removed now is removed by the next export's recovery.
    std::error_code error;
    fs::remove_all(ruta_, error);
}

void Preparacion::Confirmar(const std::vector<std::string>& tablas) {
    for (const std::string& nombre : tablas) {
        const fs::path ruta = RutaTabla(ruta_, nombre);
        std::error_code error;
        if (!NombreDeTablaValido(nombre) || !fs::is_regular_file(ruta, error))
            throw Error("La exportación no ha creado la tabla " + nombre +
                        "; no se ha cambiado ninguna tabla.");
        Sincronizar(ruta);
    }
    std::vector<dbf::ArchivoTabla> bloqueos;
    try {
        bloqueos = BloquearDestinos(carpetaDatos_, tablas);
    } catch (const Error& e) {
        throw Error(std::string(e.what()) + " No se ha cambiado ninguna tabla.");
    }
    EscribirMarca(ruta_, tablas);
    marcada_ = true;
    MoverTablas(ruta_, carpetaDatos_, tablas);
    std::error_code error;
    fs::remove_all(ruta_, error);
    if (!error)
        marcada_ = false;
}

} // namespace belvaro
