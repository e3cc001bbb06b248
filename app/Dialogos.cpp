#include "app/Dialogos.h"

#include "app/ControlCursos.h"
#include "app/Error.h"
#include "app/Mensajes.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <QUrl>

namespace belvaro {

namespace fs = std::filesystem;

std::optional<fs::path> Dialogos::ElegirArchivo(const fs::path& carpetaInicial) {
    if (!respuestasArchivo.empty()) {
        auto respuesta = respuestasArchivo.front();
        respuestasArchivo.pop_front();
        return respuesta;
    }
    QFileDialog OpenDialogXML(QApplication::activeWindow(), QStringLiteral("Archivo XML"),
                              QString::fromStdString(carpetaInicial.string()),
                              QStringLiteral("*.xml"));
    OpenDialogXML.setObjectName(QStringLiteral("OpenDialogXML"));
    OpenDialogXML.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name that does not exist is allowed: the job answers "No existe archivo".
    OpenDialogXML.setFileMode(QFileDialog::AnyFile);
    OpenDialogXML.setDefaultSuffix(QStringLiteral("xml"));
    if (OpenDialogXML.exec() != QDialog::Accepted || OpenDialogXML.selectedFiles().isEmpty())
        return std::nullopt;
    return fs::path(OpenDialogXML.selectedFiles().constFirst().toStdString());
}

void Dialogos::Caja(const std::string& texto, bool esError) {
    if (alMostrarMensaje) {
        alMostrarMensaje(texto, esError);
        return;
    }
    QMessageBox caja(esError ? QMessageBox::Critical : QMessageBox::NoIcon,
                     QString::fromUtf8(mensajes::kTitulo), QString::fromStdString(texto),
                     QMessageBox::Ok, QApplication::activeWindow());
    caja.exec();
}

void Dialogos::Mensaje(const std::string& texto) {
    Caja(texto, false);
}

void Dialogos::MensajeError(const std::string& texto) {
    Caja(texto, true);
}

int Dialogos::MostrarCursos(TControlCursos& dialogo) {
    if (alMostrarCursos)
        QTimer::singleShot(0, &dialogo, [this, &dialogo] { alMostrarCursos(dialogo); });
    return dialogo.exec();
}

void Dialogos::AbrirAyuda(const DestinoAyuda& destino) {
    if (alAbrirAyuda) {
        alAbrirAyuda(destino);
        return;
    }
    bool abierta = false;
    if (destino.visor.empty()) {
        abierta = QDesktopServices::openUrl(
            QUrl::fromLocalFile(QString::fromStdString(destino.archivo.string())));
    } else {
        QStringList argumentos;
        for (const std::string& argumento : ArgumentosVisor(destino))
            argumentos << QString::fromStdString(argumento);
        abierta =
            QProcess::startDetached(QString::fromStdString(destino.visor.string()), argumentos);
    }
    if (!abierta)
        throw Error("No se puede abrir la ayuda \"" + destino.archivo.string() + "\".");
}

} // namespace belvaro
