#include "app/Aplicacion.h"

#include "app/Mensajes.h"

#include <QApplication>
#include <QFont>

namespace belvaro {

void PrepararAplicacion(QApplication& aplicacion) {
    aplicacion.setApplicationName(QString::fromUtf8(mensajes::kTitulo));
    // Faces with Arial's metrics first, so that texts fit where they were laid out.
    const QStringList parecidas = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                   QStringLiteral("Nimbus Sans"),
                                   QStringLiteral("DejaVu Sans Condensed")};
    QFont::insertSubstitutions(QStringLiteral("Arial"), parecidas);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               QStringList{QStringLiteral("Microsoft Sans Serif")} + parecidas);
}

} // namespace belvaro
