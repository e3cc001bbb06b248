#pragma once

#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

namespace belvaro {

// Editor of the grid's cells: a line bounded by the field's width; Enter stores
// the cell and moves to the next column.
class EditorCeldas : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem& opcion,
                          const QModelIndex& indice) const override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    // The editor open now, if any.
    QWidget* EditorAbierto() const { return abierto_; }

  private:
    mutable QPointer<QWidget> abierto_;
};

// The level and course grid: Enter moves to the next column, rows can be neither
// inserted nor deleted, and the first column stays in place when the grid
// scrolls sideways (a second view over it, sharing model and selection).
class RejillaCursos : public QTableView {
    Q_OBJECT
  public:
    explicit RejillaCursos(QWidget* padre);
    void setModel(QAbstractItemModel* modelo) override;
    QTableView* ColumnaFija() const { return fija_; }
    // Stores the open editor's text into the model and closes it.
    void ConfirmarEdicion();
    // Closes the open editor, dropping its text.
    void CancelarEdicion();

  protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void updateGeometries() override;

  private:
    void ColocarColumnaFija();
    EditorCeldas* editor_;
    QTableView* fija_;
};

} // namespace belvaro
