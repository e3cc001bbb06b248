#pragma once

// Helpers shared by the Qt tests of the desktop program.

#include <QLineEdit>
#include <QTableView>
#include <QtTest>

namespace belvaro::prueba {

// Opens a grid cell's editor as the edit key does and types into it, replacing what
// it held. The editor stays open; nothing when the cell cannot be edited.
inline QLineEdit* TeclearEnRejilla(QTableView* rejilla, int fila, int columna,
                                   const QString& texto) {
    rejilla->setCurrentIndex(rejilla->model()->index(fila, columna));
    rejilla->setFocus();
    // Closed editors linger hidden until deleted: the open one is the visible one.
    const auto abierto = [rejilla]() -> QLineEdit* {
        for (QLineEdit* linea : rejilla->findChildren<QLineEdit*>())
            if (linea->isVisible())
                return linea;
        return nullptr;
    };
    if (abierto() == nullptr) // Enter may have opened the next cell already
        QTest::keyClick(rejilla, Qt::Key_F2);
    QLineEdit* editor = abierto();
    if (editor == nullptr)
        return nullptr;
    editor->selectAll();
    QTest::keyClicks(editor, texto);
    return editor;
}

} // namespace belvaro::prueba
