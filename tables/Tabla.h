#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Our dBase III+/IV table engine: exactly what the jobs and the host's tables need.
// Text values are Windows-1252 bytes.
namespace belvaro {

// Field kinds the creating steps ask for.
enum class TipoCampo {
    Texto,    // C, width 1..254
    Entero,   // N, whole numbers
    Logico,   // L
    Flotante, // N with decimals
};

struct DefCampo {
    std::string nombre; // up to 10 characters are significant; longer names are cut
    TipoCampo tipo = TipoCampo::Texto;
    int ancho = 0; // text only
};

// A field as stored in a file, whatever program wrote it.
struct InfoCampo {
    std::string nombre; // as stored (at most 10 characters)
    char tipo = 'C';    // C N F L D I M ...
    int ancho = 0;
    int decimales = 0;
};

enum class Acceso { Compartido, Exclusivo };

// The file of table `nombre` in `carpeta`: ".DBF" is added when there is no
// extension, and the name is matched without regard to case ("CursosT" finds
// CURSOST.DBF). When no file exists, the upper-case path it would have.
std::filesystem::path RutaTabla(const std::filesystem::path& carpeta, std::string_view nombre);
bool ExisteTabla(const std::filesystem::path& carpeta, std::string_view nombre);

// Creates an empty table with exactly these fields, replacing any file of that name.
// Written under a temporary name in the same folder and renamed into place when
// complete.
void CrearTabla(const std::filesystem::path& carpeta, std::string_view nombre,
                const std::vector<DefCampo>& campos);

class Tabla;

// A field of the current record of a table.
class Campo {
public:
    Campo(Tabla& tabla, int indice) : tabla_(&tabla), indice_(indice) {}

    const InfoCampo& Info() const;
    // Text without its trailing blanks; numbers as written in the file, without
    // padding; logical "T" or "F" ("" when unset); dates as yyyymmdd.
    std::string AsString() const;
    // Throws Error naming table, field and record when the value is no whole number.
    long long AsInteger() const;
    double AsFloat() const;
    bool AsBoolean() const;
    // A blank field (nothing but blanks in the file).
    bool EsNulo() const;

    // Text longer than the field is cut to its width; a number that does not fit
    // its field throws Error. Only while the table is in Append or Edit.
    void SetAsString(std::string_view valor);
    void SetAsInteger(long long valor);
    void SetAsFloat(double valor);
    void SetAsBoolean(bool valor);

private:
    Tabla* tabla_;
    int indice_;
};

// An open table. Records are visited in stored order; deleted ones are invisible.
class Tabla {
public:
    // Opens the table. Exclusive access takes an operating-system lock, so a table
    // held by another program fails to open with an Error naming it; shared access
    // takes a shared lock. A missing or damaged file throws Error.
    Tabla(const std::filesystem::path& carpeta, std::string_view nombre,
          Acceso acceso = Acceso::Compartido);
    ~Tabla(); // releases the lock; a record still pending is discarded
    Tabla(Tabla&&) noexcept;
    Tabla& operator=(Tabla&&) noexcept;
    Tabla(const Tabla&) = delete;
    Tabla& operator=(const Tabla&) = delete;

    // Posts a pending record, writes the header and releases the lock.
    void Close();
    bool Abierta() const;

    const std::string& Nombre() const; // e.g. "CURSOST"
    const std::filesystem::path& Ruta() const;
    const std::vector<InfoCampo>& Campos() const;

    void First();
    void Next();
    bool Eof() const;
    // 1-based number of the current record in the file (for messages).
    int RecNo() const;

    // A new empty record at the end becomes current; a pending record is posted first.
    void Append();
    void Edit();
    void Post();
    void Cancel();
    bool Editando() const; // in Append or Edit

    // A name the table lacks throws Error naming table and field. Full names longer
    // than ten characters find the field stored with the first ten.
    Campo FieldByName(std::string_view nombre);
    bool TieneCampo(std::string_view nombre) const;

    // Moves to the first record, in stored order, whose fields equal the values:
    // exact and case-sensitive, but trailing blanks do not count on either side.
    // `campos` is one field name or several joined by ';'. Lookups are indexed
    // internally; the first match in stored order always wins.
    bool Locate(std::string_view campos, const std::vector<std::string>& valores);

    // Number of live (not deleted) records, whatever the filter.
    int RecordCount() const;

    // While a filter is set, First/Next visit only the records it accepts.
    // Setting it places the table on the first accepted record.
    void SetFilter(std::function<bool(Tabla&)> acepta);
    void ClearFilter();

    struct Impl;

private:
    friend class Campo;
    std::unique_ptr<Impl> impl_;
};

} // namespace belvaro
