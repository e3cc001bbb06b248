#include "tables/TablaImpl.h"

#include "app/Error.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace belvaro {

namespace {

std::string Mayusculas(std::string_view s) {
    std::string r(s);
    std::transform(r.begin(), r.end(), r.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return r;
}

// Appended records are written once this many bytes are waiting.
constexpr std::size_t kLoteEscritura = 1 << 20;
constexpr std::size_t kLoteEditados = 4096;

std::vector<std::string> Partir(std::string_view campos) {
    std::vector<std::string> nombres;
    for (std::size_t inicio = 0;;) {
        const auto fin = campos.find(';', inicio);
        nombres.emplace_back(campos.substr(inicio, fin - inicio));
        if (fin == std::string_view::npos)
            return nombres;
        inicio = fin + 1;
    }
}

} // namespace

// --- Impl ---------------------------------------------------------------------

std::string_view Tabla::Impl::Actual() const {
    if (estado != Estado::Navegando)
        return pendiente;
    if (pos < 0)
        return blanco;
    return Registro(static_cast<std::size_t>(pos));
}

int Tabla::Impl::RecNo() const {
    if (estado == Estado::Anadiendo)
        return static_cast<int>(registros) + 1;
    return static_cast<int>(pos + 1);
}

void Tabla::Impl::ExigirAbierta() const {
    if (!abierta)
        throw Error("La tabla " + nombre + " está cerrada.");
}

int Tabla::Impl::IndiceCampo(std::string_view buscado) const {
    const bool enMayusculas = std::all_of(buscado.begin(), buscado.end(), [](unsigned char c) {
        return std::toupper(c) == c;
    });
    std::string copia;
    if (!enMayusculas)
        copia = Mayusculas(buscado);
    const std::string_view clave = enMayusculas ? buscado : std::string_view(copia);
    if (auto it = porNombre.find(clave); it != porNombre.end())
        return it->second;
    if (clave.size() > dbf::kLargoNombre)
        if (auto it = porNombre.find(clave.substr(0, dbf::kLargoNombre)); it != porNombre.end())
            return it->second;
    return -1;
}

int Tabla::Impl::CampoExigido(std::string_view buscado) const {
    const int c = IndiceCampo(buscado);
    if (c < 0)
        throw Error("La tabla " + nombre + " no tiene el campo " + std::string(buscado) + ".");
    return c;
}

std::string Tabla::Impl::Clave(const std::vector<int>& campos, std::string_view registro) const {
    std::vector<std::string> partes;
    partes.reserve(campos.size());
    for (int c : campos) {
        const auto& info = estructura.campos[static_cast<std::size_t>(c)];
        partes.push_back(dbf::ClaveGuardada(
            info, registro.substr(estructura.desplazamientos[static_cast<std::size_t>(c)],
                                  static_cast<std::size_t>(info.ancho))));
    }
    return dbf::IndiceLocate::Clave(partes);
}

dbf::IndiceLocate& Tabla::Impl::Indice(const std::vector<int>& campos) {
    auto [it, nuevo] = indices.try_emplace(campos);
    if (nuevo)
        for (std::size_t r = 0; r < registros; ++r)
            if (Vivo(r))
                it->second.Agregar(Clave(campos, Registro(r)), r);
    return it->second;
}

void Tabla::Impl::Guardar() {
    if (!sucio)
        return;
    const auto cabecera = estructura.largoCabecera;
    for (auto r : editados)
        archivo.Escribir(cabecera + r * Largo(), Registro(r));
    if (registros > enDisco) {
        std::string nuevos = datos.substr(enDisco * Largo());
        nuevos += dbf::kFinDatos;
        archivo.Escribir(cabecera + enDisco * Largo(), nuevos);
    }
    archivo.Escribir(dbf::kPosicionFecha,
                     dbf::FechaYRegistros(static_cast<std::uint32_t>(registros)));
    enDisco = registros;
    editados.clear();
    sucio = false;
}

// --- Tabla ----------------------------------------------------------------------

Tabla::Tabla(const std::filesystem::path& carpeta, std::string_view nombre, Acceso acceso)
    : impl_(std::make_unique<Impl>()) {
    auto& t = *impl_;
    t.ruta = RutaTabla(carpeta, nombre);
    t.nombre = Mayusculas(t.ruta.stem().string());
    t.archivo = dbf::ArchivoTabla(t.ruta, t.nombre, acceso);
    const std::string bytes = t.archivo.LeerTodo();
    t.estructura = dbf::LeerEstructura(bytes, t.ruta);
    t.registros = t.estructura.registros;
    t.datos = bytes.substr(t.estructura.largoCabecera, t.registros * t.Largo());
    t.enDisco = t.registros;
    for (std::size_t r = 0; r < t.registros; ++r)
        t.vivos += t.Vivo(r) ? 1 : 0;
    t.blanco.assign(t.Largo(), ' ');
    for (std::size_t c = 0; c < t.estructura.campos.size(); ++c)
        t.porNombre.try_emplace(Mayusculas(t.estructura.campos[c].nombre), static_cast<int>(c));
    t.abierta = true;
    First();
}

Tabla::~Tabla() {
    if (!impl_ || !impl_->abierta)
        return;
    // A pending record is dropped; what was posted reaches the file. Errors cannot
    // leave a destructor: Close() is the place where they are reported.
    impl_->estado = Impl::Estado::Navegando;
    try {
        impl_->Guardar();
    } catch (...) {
    }
}

Tabla::Tabla(Tabla&&) noexcept = default;

Tabla& Tabla::operator=(Tabla&& otra) noexcept {
    if (this != &otra) {
        Tabla vieja(std::move(*this));
        impl_ = std::move(otra.impl_);
    }
    return *this;
}

void Tabla::Close() {
    if (!Abierta())
        return;
    Post();
    impl_->Guardar();
    impl_->archivo.Cerrar();
    impl_->abierta = false;
    impl_->datos = {};
    impl_->indices.clear();
}

bool Tabla::Abierta() const {
    return impl_ && impl_->abierta;
}

const std::string& Tabla::Nombre() const {
    return impl_->nombre;
}
const std::filesystem::path& Tabla::Ruta() const {
    return impl_->ruta;
}
const std::vector<InfoCampo>& Tabla::Campos() const {
    return impl_->estructura.campos;
}

void Tabla::First() {
    impl_->ExigirAbierta();
    Post();
    impl_->pos = -1;
    impl_->eof = false;
    Next();
    if (impl_->eof)
        impl_->pos = -1;
}

void Tabla::Next() {
    auto& t = *impl_;
    t.ExigirAbierta();
    Post();
    if (t.eof)
        return;
    const long antes = t.pos;
    for (auto r = static_cast<std::size_t>(t.pos + 1); r < t.registros; ++r) {
        if (!t.Vivo(r))
            continue;
        t.pos = static_cast<long>(r);
        if (!t.filtro || t.filtro(*this))
            return;
    }
    t.pos = antes;
    t.eof = true;
}

bool Tabla::Eof() const {
    return impl_->eof;
}

int Tabla::RecNo() const {
    return impl_->RecNo();
}

void Tabla::Append() {
    auto& t = *impl_;
    t.ExigirAbierta();
    Post();
    if (!t.archivo.Escribible())
        throw Error("La tabla " + t.nombre + " solo se puede leer (" + t.ruta.string() + ").");
    t.pendiente.assign(t.Largo(), ' ');
    t.estado = Impl::Estado::Anadiendo;
}

void Tabla::Edit() {
    auto& t = *impl_;
    t.ExigirAbierta();
    if (t.estado != Impl::Estado::Navegando)
        return;
    if (!t.archivo.Escribible())
        throw Error("La tabla " + t.nombre + " solo se puede leer (" + t.ruta.string() + ").");
    if (t.pos < 0)
        throw Error("La tabla " + t.nombre + " no tiene ningún registro que modificar.");
    t.pendiente = std::string(t.Registro(static_cast<std::size_t>(t.pos)));
    t.estado = Impl::Estado::Editando;
}

void Tabla::Post() {
    auto& t = *impl_;
    t.ExigirAbierta();
    if (t.estado == Impl::Estado::Anadiendo) {
        const auto r = t.registros;
        t.datos += t.pendiente;
        ++t.registros;
        ++t.vivos;
        for (auto& [campos, indice] : t.indices)
            indice.Agregar(t.Clave(campos, t.pendiente), r);
        t.pos = static_cast<long>(r);
        t.eof = false;
    } else if (t.estado == Impl::Estado::Editando) {
        const auto r = static_cast<std::size_t>(t.pos);
        for (auto& [campos, indice] : t.indices)
            indice.Mover(t.Clave(campos, t.Registro(r)), t.Clave(campos, t.pendiente), r);
        t.datos.replace(r * t.Largo(), t.Largo(), t.pendiente);
        if (r < t.enDisco)
            t.editados.insert(r);
    } else {
        return;
    }
    t.estado = Impl::Estado::Navegando;
    t.pendiente.clear();
    t.sucio = true;
    if ((t.registros - t.enDisco) * t.Largo() >= kLoteEscritura ||
        t.editados.size() >= kLoteEditados)
        t.Guardar();
}

void Tabla::Cancel() {
    impl_->ExigirAbierta();
    impl_->estado = Impl::Estado::Navegando;
    impl_->pendiente.clear();
}

bool Tabla::Editando() const {
    return impl_->estado != Impl::Estado::Navegando;
}

Campo Tabla::FieldByName(std::string_view nombre) {
    impl_->ExigirAbierta();
    return Campo(*this, impl_->CampoExigido(nombre));
}

bool Tabla::TieneCampo(std::string_view nombre) const {
    return impl_ && impl_->IndiceCampo(nombre) >= 0;
}

bool Tabla::Locate(std::string_view campos, const std::vector<std::string>& valores) {
    auto& t = *impl_;
    t.ExigirAbierta();
    Post();
    if (campos != t.ultimaBusqueda) {
        const auto nombres = Partir(campos);
        if (nombres.size() != valores.size())
            throw Error("Búsqueda en la tabla " + t.nombre + " por " + std::string(campos) +
                        " con " + std::to_string(valores.size()) + " valores.");
        std::vector<int> resueltos;
        for (const auto& nombre : nombres)
            resueltos.push_back(t.CampoExigido(nombre));
        t.camposUltimaBusqueda = std::move(resueltos);
        t.ultimaBusqueda = std::string(campos);
    }
    const std::vector<int>& indices = t.camposUltimaBusqueda;
    if (indices.size() != valores.size())
        throw Error("Búsqueda en la tabla " + t.nombre + " por " + std::string(campos) + " con " +
                    std::to_string(valores.size()) + " valores.");
    std::vector<std::string> partes;
    for (std::size_t i = 0; i < indices.size(); ++i) {
        auto parte = dbf::ClaveBuscada(t.estructura.campos[static_cast<std::size_t>(indices[i])],
                                       valores[i]);
        if (!parte)
            return false;
        partes.push_back(std::move(*parte));
    }
    const auto* filas = t.Indice(indices).Buscar(dbf::IndiceLocate::Clave(partes));
    if (!filas)
        return false;
    const long antes = t.pos;
    for (auto r : *filas) {
        t.pos = static_cast<long>(r);
        if (!t.filtro || t.filtro(*this)) {
            t.eof = false;
            return true;
        }
    }
    t.pos = antes;
    return false;
}

int Tabla::RecordCount() const {
    impl_->ExigirAbierta();
    return impl_->vivos;
}

void Tabla::SetFilter(std::function<bool(Tabla&)> acepta) {
    impl_->ExigirAbierta();
    Post();
    impl_->filtro = std::move(acepta);
    First();
}

void Tabla::ClearFilter() {
    impl_->filtro = nullptr;
}

} // namespace belvaro
