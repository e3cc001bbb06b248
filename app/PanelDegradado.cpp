#include "app/PanelDegradado.h"

#include <QLinearGradient>
#include <QPainter>

namespace belvaro {

PanelDegradado::PanelDegradado(QColor inicio, QColor medio, QColor fin, Qt::Orientation sentido,
                               QWidget* padre)
    : QWidget(padre), inicio_(inicio), medio_(medio), fin_(fin), sentido_(sentido) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanelDegradado::paintEvent(QPaintEvent*) {
    const QRectF area = rect();
    QLinearGradient degradado(area.topLeft(),
                              sentido_ == Qt::Vertical ? area.bottomLeft() : area.topRight());
    degradado.setColorAt(0.0, inicio_);
    degradado.setColorAt(0.5, medio_);
    degradado.setColorAt(1.0, fin_);
    QPainter pintor(this);
    pintor.fillRect(area, degradado);
}

} // namespace belvaro
