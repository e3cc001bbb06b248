#include "app/ModeloCursos.h"

#include "seneca/CodePage.h"
#include "tables/Tabla.h"

#include <QBrush>
#include <QColor>

namespace belvaro {

namespace {
const QColor kColorFila(0xF0, 0xFB, 0xFF);
const QColor kColorFilaAlterna(0xCF, 0xD9, 0xFE);
const QColor kColorTitulos(0xFE, 0xE4, 0xA9);

QString Titulo(int columna) {
    switch (columna) {
    case ModeloCursos::Clave:
        return QStringLiteral("CÓD.SÉNECA");
    case ModeloCursos::Estudios:
        return QStringLiteral("ESTUDIOS");
    case ModeloCursos::Nivel:
        return QStringLiteral("NIVEL");
    default:
        return QStringLiteral("CURSO");
    }
}
} // namespace

ModeloCursos::ModeloCursos(Tabla& tabla, QObject* padre)
    : QAbstractTableModel(padre), tabla_(tabla) {
    for (const InfoCampo& campo : tabla_.Campos()) {
        if (campo.nombre == "NIVEL")
            anchoNivel_ = campo.ancho;
        else if (campo.nombre == "CURSO")
            anchoCurso_ = campo.ancho;
    }
    Recargar();
}

void ModeloCursos::Recargar() {
    beginResetModel();
    filas_.clear();
    pendiente_.reset();
    for (tabla_.First(); !tabla_.Eof(); tabla_.Next()) {
        filas_.push_back({AnsiAUtf8(tabla_.FieldByName("CLAVE").AsString()),
                          AnsiAUtf8(tabla_.FieldByName("ESTUD").AsString()),
                          AnsiAUtf8(tabla_.FieldByName("NIVEL").AsString()),
                          AnsiAUtf8(tabla_.FieldByName("CURSO").AsString())});
    }
    endResetModel();
}

int ModeloCursos::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(filas_.size());
}

int ModeloCursos::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : NumColumnas;
}

std::string& ModeloCursos::Texto(Fila& fila, int columna) {
    switch (columna) {
    case Clave:
        return fila.clave;
    case Estudios:
        return fila.estudios;
    case Nivel:
        return fila.nivel;
    default:
        return fila.curso;
    }
}

const std::string& ModeloCursos::Texto(const Fila& fila, int columna) const {
    return const_cast<ModeloCursos*>(this)->Texto(const_cast<Fila&>(fila), columna);
}

QVariant ModeloCursos::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid())
        return {};
    const Fila& fila = filas_[static_cast<std::size_t>(indice.row())];
    switch (rol) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromStdString(Texto(fila, indice.column()));
    case Qt::BackgroundRole:
        return QBrush(indice.row() % 2 == 0 ? kColorFila : kColorFilaAlterna);
    case kRolAncho:
        return indice.column() == Nivel ? anchoNivel_ : indice.column() == Curso ? anchoCurso_ : 0;
    default:
        return {};
    }
}

QVariant ModeloCursos::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion != Qt::Horizontal)
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    if (rol == Qt::DisplayRole)
        return Titulo(seccion);
    if (rol == Qt::BackgroundRole)
        return QBrush(kColorTitulos);
    if (rol == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags ModeloCursos::flags(const QModelIndex& indice) const {
    Qt::ItemFlags banderas = QAbstractTableModel::flags(indice);
    if (indice.column() == Nivel || indice.column() == Curso)
        banderas |= Qt::ItemIsEditable;
    return banderas;
}

bool ModeloCursos::setData(const QModelIndex& indice, const QVariant& valor, int rol) {
    if (rol != Qt::EditRole || !(flags(indice) & Qt::ItemIsEditable))
        return false;
    const int fila = indice.row();
    if (pendiente_ && *pendiente_ != fila)
        Guardar();
    Fila& actual = filas_[static_cast<std::size_t>(fila)];
    if (!pendiente_) {
        pendiente_ = fila;
        original_ = actual;
    }
    // What the field can hold: the typed text in the table's code page, cut to width.
    const int ancho = indice.column() == Nivel ? anchoNivel_ : anchoCurso_;
    std::string ansi = Utf8AAnsi(valor.toString().toStdString());
    if (ansi.size() > static_cast<std::size_t>(ancho))
        ansi.resize(static_cast<std::size_t>(ancho));
    Texto(actual, indice.column()) = AnsiAUtf8(ansi);
    emit dataChanged(indice, indice, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void ModeloCursos::IrA(int fila) {
    tabla_.First();
    for (int i = 0; i < fila && !tabla_.Eof(); ++i)
        tabla_.Next();
}

void ModeloCursos::Guardar() {
    if (!pendiente_)
        return;
    const int fila = *pendiente_;
    const Fila& valores = filas_[static_cast<std::size_t>(fila)];
    IrA(fila);
    tabla_.Edit();
    tabla_.FieldByName("NIVEL").SetAsString(Utf8AAnsi(valores.nivel));
    tabla_.FieldByName("CURSO").SetAsString(Utf8AAnsi(valores.curso));
    tabla_.Post();
    pendiente_.reset();
}

void ModeloCursos::Cancelar() {
    if (!pendiente_)
        return;
    const int fila = *pendiente_;
    filas_[static_cast<std::size_t>(fila)] = original_;
    pendiente_.reset();
    emit dataChanged(index(fila, Nivel), index(fila, Curso), {Qt::DisplayRole, Qt::EditRole});
}

} // namespace belvaro
