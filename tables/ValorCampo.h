#pragma once

#include "tables/Tabla.h"

#include <optional>
#include <string>
#include <string_view>

// Reading and writing one field's bytes inside a record, by the field's kind.
// Text (C) is blank-padded on the right; numbers (N, F) are right-aligned decimal
// text; logical (L) is one of T/F (blank when unset); dates (D) are yyyymmdd; I is a
// 4-byte little-endian binary integer. Memo and other kinds are not read: they give
// an empty value and cannot be written.
namespace belvaro::dbf {

// Where a value lives, for messages.
struct Lugar {
    const std::string& tabla;
    const InfoCampo& campo;
    int registro; // RecNo, 0 for a record not yet in the file
};

std::string Texto(const InfoCampo& campo, std::string_view bytes);
bool EsBlanco(const InfoCampo& campo, std::string_view bytes);
long long Entero(const Lugar& lugar, std::string_view bytes);
double Flotante(const Lugar& lugar, std::string_view bytes);
bool Logico(const Lugar& lugar, std::string_view bytes);

// Each writes exactly campo.ancho bytes at `destino`, or throws Error and leaves
// them untouched.
void PonerTexto(const Lugar& lugar, std::string_view valor, char* destino);
void PonerEntero(const Lugar& lugar, long long valor, char* destino);
void PonerFlotante(const Lugar& lugar, double valor, char* destino);
void PonerLogico(const Lugar& lugar, bool valor, char* destino);

// The form in which Locate compares a stored value, and a searched value brought to
// that form (none when it can equal no stored value of this kind). Text loses its
// trailing blanks; numbers are compared by value.
std::string ClaveGuardada(const InfoCampo& campo, std::string_view bytes);
std::optional<std::string> ClaveBuscada(const InfoCampo& campo, std::string_view valor);

} // namespace belvaro::dbf
