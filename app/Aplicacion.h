#pragma once

class QApplication;

namespace belvaro {

// Title "Belvaro" and the window fonts: "MS Sans Serif" and "Arial" fall back on
// the closest sans-serif faces the system has.
void PrepararAplicacion(QApplication& aplicacion);

} // namespace belvaro
