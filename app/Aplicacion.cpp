#include "app/Aplicacion.h"

#include "app/Mensajes.h"

#include <QApplication>
#include <QFont>

namespace belvaro {

void PrepararAplicacion(QApplication& aplicacion) {
    aplicacion.setApplicationName(QString::fromUtf8(mensajes::kTitulo));
    const QStringList parecidas = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                   QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("Arial"), parecidas);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               QStringList{QStringLiteral("Microsoft Sans Serif")} + parecidas);
}

} // namespace belvaro
