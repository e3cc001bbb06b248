#pragma once

#include <QAbstractTableModel>

#include <optional>
#include <string>
#include <vector>

namespace belvaro {

class Tabla;

// CURSOST as the level and course grid shows it: one row per course, the key and
// the studies read-only, NIVEL and CURSO editable. Edits stay pending on their row
// (the table's edit mode) until Guardar posts them or Cancelar drops them.
class ModeloCursos : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Columna { Clave, Estudios, Nivel, Curso, NumColumnas };
    // Role giving the width of a column's field (what an editor may hold).
    static constexpr int kRolAncho = Qt::UserRole + 1;

    explicit ModeloCursos(Tabla& tabla, QObject* padre = nullptr);

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int rol) override;

    std::optional<int> FilaPendiente() const { return pendiente_; }
    // Stores the pending row in the table (Edit, SetAsString, Post).
    void Guardar();
    // Drops the pending row's edits.
    void Cancelar();
    // Reads the table again from its first record.
    void Recargar();

  private:
    struct Fila {
        std::string clave, estudios, nivel, curso; // UTF-8
    };
    void IrA(int fila);
    std::string& Texto(Fila& fila, int columna);
    const std::string& Texto(const Fila& fila, int columna) const;

    Tabla& tabla_;
    std::vector<Fila> filas_;
    std::optional<int> pendiente_;
    Fila original_; // the pending row as stored
    int anchoNivel_ = 5;
    int anchoCurso_ = 3;
};

} // namespace belvaro
