#include "tables/TablaImpl.h"

#include "app/Error.h"

namespace belvaro {

namespace {

std::string_view Bytes(const Tabla::Impl& t, int indice) {
    t.ExigirAbierta();
    const auto c = static_cast<std::size_t>(indice);
    return t.Actual().substr(t.estructura.desplazamientos[c],
                             static_cast<std::size_t>(t.estructura.campos[c].ancho));
}

// The field's bytes in the pending record, which only Append and Edit provide.
char* Destino(Tabla::Impl& t, int indice) {
    t.ExigirAbierta();
    const auto c = static_cast<std::size_t>(indice);
    if (t.estado == Tabla::Impl::Estado::Navegando)
        throw Error("No se puede cambiar el campo " + t.estructura.campos[c].nombre +
                    " de la tabla " + t.nombre + " sin Append o Edit.");
    return t.pendiente.data() + t.estructura.desplazamientos[c];
}

dbf::Lugar Donde(const Tabla::Impl& t, int indice) {
    return {t.nombre, t.estructura.campos[static_cast<std::size_t>(indice)], t.RecNo()};
}

} // namespace

const InfoCampo& Campo::Info() const {
    return tabla_->impl_->estructura.campos[static_cast<std::size_t>(indice_)];
}

std::string Campo::AsString() const {
    return dbf::Texto(Info(), Bytes(*tabla_->impl_, indice_));
}

long long Campo::AsInteger() const {
    const auto& t = *tabla_->impl_;
    return dbf::Entero(Donde(t, indice_), Bytes(t, indice_));
}

double Campo::AsFloat() const {
    const auto& t = *tabla_->impl_;
    return dbf::Flotante(Donde(t, indice_), Bytes(t, indice_));
}

bool Campo::AsBoolean() const {
    const auto& t = *tabla_->impl_;
    return dbf::Logico(Donde(t, indice_), Bytes(t, indice_));
}

bool Campo::EsNulo() const {
    return dbf::EsBlanco(Info(), Bytes(*tabla_->impl_, indice_));
}

void Campo::SetAsString(std::string_view valor) {
    auto& t = *tabla_->impl_;
    dbf::PonerTexto(Donde(t, indice_), valor, Destino(t, indice_));
}

void Campo::SetAsInteger(long long valor) {
    auto& t = *tabla_->impl_;
    dbf::PonerEntero(Donde(t, indice_), valor, Destino(t, indice_));
}

void Campo::SetAsFloat(double valor) {
    auto& t = *tabla_->impl_;
    dbf::PonerFlotante(Donde(t, indice_), valor, Destino(t, indice_));
}

void Campo::SetAsBoolean(bool valor) {
    auto& t = *tabla_->impl_;
    dbf::PonerLogico(Donde(t, indice_), valor, Destino(t, indice_));
}

} // namespace belvaro
