#pragma once

#include <QColor>
#include <QWidget>

namespace belvaro {

// A background panel painted with a three-colour linear gradient (start, middle,
// end). Children sit on it; transparent labels show the gradient through.
class PanelDegradado : public QWidget {
    Q_OBJECT
  public:
    PanelDegradado(QColor inicio, QColor medio, QColor fin, Qt::Orientation sentido,
                   QWidget* padre);

    QColor Inicio() const { return inicio_; }
    QColor Medio() const { return medio_; }
    QColor Fin() const { return fin_; }

  protected:
    void paintEvent(QPaintEvent* evento) override;

  private:
    QColor inicio_, medio_, fin_;
    Qt::Orientation sentido_;
};

} // namespace belvaro
