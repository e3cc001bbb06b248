#pragma once

#include <filesystem>
#include <string>
#include <vector>

// How an export puts its nine tables into the data folder all at once.
//
// The tables are built in a staging folder inside the data folder. When the job ends,
// every destination table and index is locked (one held by another program stops the
// commit), the staging folder is marked complete, and each table is renamed over the
// old one. A job killed before the mark leaves an incomplete staging folder, which the
// next export removes; a job killed after it leaves a complete one, which the next
// export finishes moving. Either way the data folder ends with all old or all new tables.
namespace belvaro {

// Name of staging folders in the data folder: the prefix and six random characters.
inline constexpr const char* kPrefijoPreparacion = ".belvaro-exportar-";

// Creates the data folder, with its "seneca" subfolder, when missing.
void AsegurarCarpetaDatos(const std::filesystem::path& carpetaDatos);

// One export at a time on a data folder. Held from the recovery to the commit.
class BloqueoExportacion {
  public:
    explicit BloqueoExportacion(const std::filesystem::path& carpetaDatos);
    ~BloqueoExportacion();
    BloqueoExportacion(const BloqueoExportacion&) = delete;
    BloqueoExportacion& operator=(const BloqueoExportacion&) = delete;

  private:
    int fd_ = -1;
};

// Finishes what an earlier export left: complete staging folders are moved into place,
// incomplete ones removed. Call while holding BloqueoExportacion.
void RecuperarPreparaciones(const std::filesystem::path& carpetaDatos);

// The staging folder of one export. Removed with everything in it when the object goes,
// unless the commit was interrupted after the mark, when it is left for recovery.
class Preparacion {
  public:
    explicit Preparacion(const std::filesystem::path& carpetaDatos);
    ~Preparacion();
    Preparacion(const Preparacion&) = delete;
    Preparacion& operator=(const Preparacion&) = delete;

    const std::filesystem::path& Ruta() const { return ruta_; }

    // Moves the tables (each must have been built here) into the data folder together,
    // removing their old ".MDX" indexes.
    void Confirmar(const std::vector<std::string>& tablas);

  private:
    std::filesystem::path carpetaDatos_;
    std::filesystem::path ruta_;
    bool marcada_ = false;
};

} // namespace belvaro
