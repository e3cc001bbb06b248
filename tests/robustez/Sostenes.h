#pragma once

// Conditions a case holds while belvaro-cli runs: another program with a table open,
// a folder nobody may change.

#include <filesystem>
#include <string>

namespace belvaro::robustez {

// Another process holding `tabla` of `carpeta` open exclusively, as the host does.
class TablaAbiertaPorOtro {
  public:
    TablaAbiertaPorOtro(const std::filesystem::path& carpeta, const std::string& tabla);
    ~TablaAbiertaPorOtro();
    TablaAbiertaPorOtro(const TablaAbiertaPorOtro&) = delete;
    TablaAbiertaPorOtro& operator=(const TablaAbiertaPorOtro&) = delete;

  private:
    int fin_ = -1; // closing it ends the other process
    int pid_ = -1;
};

// The folder made immutable (chattr +i): not even root may add, remove or rename
// entries in it. Ok() is false where the file system does not allow it.
class CarpetaInmutable {
  public:
    explicit CarpetaInmutable(std::filesystem::path carpeta);
    ~CarpetaInmutable();
    CarpetaInmutable(const CarpetaInmutable&) = delete;
    CarpetaInmutable& operator=(const CarpetaInmutable&) = delete;
    bool Ok() const { return ok_; }

  private:
    bool Marcar(bool inmutable) const;
    std::filesystem::path carpeta_;
    bool ok_ = false;
};

} // namespace belvaro::robustez
