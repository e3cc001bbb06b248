#include "app/Aplicacion.h"
#include "app/CarpetaDatos.h"
#include "app/Dialogos.h"
#include "app/MainForm.h"
#include "app/RespuestasEntorno.h"
#include "app/ResultadoIni.h"

#include <QApplication>

#include <cstdlib>
#include <exception>

namespace {

// Zeltora.ini lives beside the executable. BELVARO_INI_DIR names another folder
// for it (tests run several copies of the program side by side).
std::filesystem::path ArchivoResultado() {
    const char* carpeta = std::getenv("BELVARO_INI_DIR");
    const std::filesystem::path base = carpeta != nullptr && *carpeta != '\0'
                                           ? std::filesystem::path(carpeta)
                                           : belvaro::CarpetaEjecutable();
    return base / belvaro::kArchivoResultado;
}

} // namespace

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    belvaro::PrepararAplicacion(aplicacion);
    // The program ends when the main window is closed and its job has returned.
    QApplication::setQuitOnLastWindowClosed(false);

    belvaro::Dialogos dialogos;
    belvaro::PrepararRespuestasEntorno(dialogos);
    try {
        belvaro::OpcionesVentana opciones;
        opciones.parametros.assign(argv + 1, argv + argc);
        opciones.configuracion = {belvaro::CarpetaZtemp(), belvaro::CarpetaEjecutable()};
        opciones.archivoResultado = ArchivoResultado();

        belvaro::TMForm MForm(std::move(opciones), dialogos);
        QObject::connect(&MForm, &belvaro::TMForm::Terminar, &aplicacion, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        MForm.show();
        return QApplication::exec();
    } catch (const std::exception& e) {
        dialogos.MensajeError(e.what());
        return EXIT_FAILURE;
    }
}
