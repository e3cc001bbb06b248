// Host mode end to end: the real program started as the host starts it, inside a
// foreign X window on an X server of this test's own, checked through the X server
// and through Zeltora.ini.

#include "tests/support/Apoyo.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace fs = std::filesystem;
using belvaro::prueba::CarpetaTemporal;
using belvaro::prueba::LeerArchivo;

namespace {

const QString kEjemplo = QStringLiteral(BELVARO_DATOS "/seneca-ejemplo.xml");

QString Programa(const char* nombre) {
    return QCoreApplication::applicationDirPath() + '/' + QString::fromLatin1(nombre);
}

// Runs a tool of the X server to its end and returns what it printed.
QString Ejecutar(const QString& programa, const QStringList& argumentos,
                 const QProcessEnvironment& entorno) {
    QProcess proceso;
    proceso.setProcessEnvironment(entorno);
    proceso.start(programa, argumentos);
    proceso.waitForFinished(10000);
    return QString::fromLocal8Bit(proceso.readAllStandardOutput());
}

} // namespace

class AnfitrionTest : public QObject {
    Q_OBJECT

    QProcess xvfb_;
    QString pantalla_;
    QProcessEnvironment entorno_;
    QProcess anfitrion_;
    QString handle_;
    std::unique_ptr<CarpetaTemporal> carpeta_;

    QString Carpeta() const { return QString::fromStdString(carpeta_->ruta().string()); }
    fs::path Ini() const { return carpeta_->ruta() / "Zeltora.ini"; }
    std::string Mensajes() const {
        return fs::exists(carpeta_->ruta() / "mensajes.txt")
                   ? LeerArchivo(carpeta_->ruta() / "mensajes.txt")
                   : std::string();
    }

    // The program, started as the host starts it.
    std::unique_ptr<QProcess> Belvaro(const QStringList& parametros, const QString& archivo,
                                      const QString& cursos = {}, const QString& carpetaIni = {}) {
        QProcessEnvironment entorno = entorno_;
        entorno.insert("QT_QPA_PLATFORM", "xcb");
        // Sanitizer builds: D-Bus, loaded by Qt's X11 platform, leaks on its own.
        entorno.insert("LSAN_OPTIONS", "suppressions=" BELVARO_SUPRESIONES_LSAN);
        entorno.insert("BELVARO_ZTEMP", Carpeta() + "/ZTEMP");
        entorno.insert("BELVARO_INI_DIR", carpetaIni.isEmpty() ? Carpeta() : carpetaIni);
        entorno.insert("BELVARO_PRUEBA_ARCHIVO", archivo);
        entorno.insert("BELVARO_PRUEBA_MENSAJES", Carpeta() + "/mensajes.txt");
        if (!cursos.isEmpty())
            entorno.insert("BELVARO_PRUEBA_CURSOS", cursos);
        auto proceso = std::make_unique<QProcess>();
        proceso->setProcessEnvironment(entorno);
        proceso->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        proceso->start(Programa("belvaro"), parametros);
        return proceso;
    }

    // Our window among the host window's children, as the X server sees them.
    QString HijoDelAnfitrion() {
        const QString arbol = Ejecutar("xwininfo", {"-children", "-id", "0x" + handle_}, entorno_);
        const auto hijo = QRegularExpression(R"((0x[0-9a-f]+) .*632x266\+0\+0)").match(arbol);
        return hijo.hasMatch() ? hijo.captured(1) : QString();
    }

    QString EsperarHijo() {
        QElapsedTimer reloj;
        reloj.start();
        QString hijo;
        while ((hijo = HijoDelAnfitrion()).isEmpty() && reloj.elapsed() < 15000)
            QTest::qWait(100);
        return hijo;
    }

    // Clicks "&Salir" (centre of BClose) in our window.
    void PulsarSalir(const QString& ventana) {
        Ejecutar("xdotool", {"mousemove", "--window", ventana, "316", "197", "click", "1"},
                 entorno_);
    }

    void Terminado(QProcess& proceso) {
        if (proceso.state() != QProcess::NotRunning)
            QVERIFY2(proceso.waitForFinished(60000), "the program did not end");
        QCOMPARE(proceso.exitStatus(), QProcess::NormalExit);
        QCOMPARE(proceso.exitCode(), 0);
    }

  private slots:
    void initTestCase() {
        for (const char* herramienta : {"Xvfb", "xwininfo", "xdotool"})
            if (QStandardPaths::findExecutable(herramienta).isEmpty())
                QSKIP("Xvfb, xwininfo and xdotool are needed");
        // A free display number: neither a socket nor a lock file for it.
        for (int n = 90; n < 200 && pantalla_.isEmpty(); ++n) {
            if (!QFile::exists(QString("/tmp/.X11-unix/X%1").arg(n)) &&
                !QFile::exists(QString("/tmp/.X%1-lock").arg(n)))
                pantalla_ = QString(":%1").arg(n);
        }
        QVERIFY(!pantalla_.isEmpty());
        xvfb_.start("Xvfb", {pantalla_, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        QVERIFY(xvfb_.waitForStarted());
        const QString socket = "/tmp/.X11-unix/X" + pantalla_.mid(1);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 10000);
        entorno_ = QProcessEnvironment::systemEnvironment();
        entorno_.insert("DISPLAY", pantalla_);
    }

    void cleanupTestCase() {
        if (xvfb_.state() != QProcess::NotRunning) {
            xvfb_.terminate();
            if (!xvfb_.waitForFinished(5000))
                xvfb_.kill();
            xvfb_.waitForFinished(5000);
        }
    }

    void init() {
        carpeta_ = std::make_unique<CarpetaTemporal>();
        anfitrion_.setProcessEnvironment(entorno_);
        anfitrion_.start(Programa("ventana_anfitrion"), {});
        QVERIFY(anfitrion_.waitForReadyRead(10000));
        handle_ = QString::fromLatin1(anfitrion_.readLine()).trimmed();
        QVERIFY(!handle_.isEmpty());
    }

    void cleanup() {
        anfitrion_.kill();
        anfitrion_.waitForFinished(5000);
        carpeta_.reset();
    }

    // The job named by the host runs at once, and the window closes at its end.
    void trabajoDelAnfitrion_data() {
        QTest::addColumn<QString>("accion");
        QTest::addColumn<QString>("archivo"); // "" cancels the dialog
        QTest::addColumn<QString>("cursos");
        QTest::addColumn<int>("transformado");
        QTest::addColumn<QString>("mensajes");
        QTest::newRow("exportar completo")
            << "EXPORTAR" << kEjemplo << "completo" << 1 << "M Proceso finalizado\n";
        QTest::newRow("dialogo cancelado") << "importar"
                                           << ""
                                           << "" << -1 << "M No existe archivo\n";
        QTest::newRow("archivo inexistente") << "Exportar"
                                             << "/no/existe.xml"
                                             << "" << -1 << "M No existe archivo\n";
    }
    void trabajoDelAnfitrion() {
        QFETCH(QString, accion);
        QFETCH(QString, archivo);
        QFETCH(QString, cursos);
        QFETCH(int, transformado);
        QFETCH(QString, mensajes);
        auto belvaro = Belvaro({accion, handle_}, archivo, cursos);
        Terminado(*belvaro);
        QCOMPARE(QString::fromStdString(LeerArchivo(Ini())),
                 QString("[Transformadores]\r\nTransformado=%1\r\n").arg(transformado));
        QCOMPARE(QString::fromStdString(Mensajes()), mensajes);
    }

    // Forced exit in turn two: the window closes writing 0, the job goes on, and its
    // end writes 1. The host's other lines stay as they were.
    void salidaForzada() {
        belvaro::prueba::EscribirArchivo(Ini(), "; del anfitrion\r\n[Otra]\r\nA=1\r\n");
        auto belvaro = Belvaro({"exportar", handle_}, kEjemplo, "incompleto,forzar");
        QStringList vistos;
        while (belvaro->state() != QProcess::NotRunning) {
            const std::string ini = LeerArchivo(Ini());
            const auto pos = ini.find("Transformado=");
            const QString valor =
                pos == std::string::npos
                    ? QString()
                    : QString::fromStdString(ini.substr(pos + 13, ini.find('\r', pos) - pos - 13));
            if (!valor.isEmpty() && (vistos.isEmpty() || vistos.last() != valor))
                vistos << valor;
            belvaro->waitForFinished(1);
        }
        Terminado(*belvaro);
        QCOMPARE(vistos.last(), QString("1"));
        if (vistos.size() > 1) // the 0 is there only while the job goes on
            QCOMPARE(vistos, QStringList({"0", "1"}));
        else
            qWarning("the job ended before the 0 could be seen");
        QCOMPARE(LeerArchivo(Ini()), std::string("; del anfitrion\r\n[Otra]\r\nA=1\r\n"
                                                 "[Transformadores]\r\nTransformado=1\r\n"));
        QCOMPARE(Mensajes(), std::string("M ¡Atención! Falta algún Dato\n"));
        QVERIFY(fs::exists(carpeta_->ruta() / "ZTEMP" / "DIASHORAST.DBF"));
    }

    // An action word that is neither: embedded, waiting; Salir writes 0.
    void palabraDesconocida() {
        auto belvaro = Belvaro({"abrir", handle_}, kEjemplo);
        const QString ventana = EsperarHijo();
        QVERIFY2(!ventana.isEmpty(), "our window is not a child of the host's");
        // No border: the window fills exactly its 632 x 266 inside the host's.
        const QString info = Ejecutar("xwininfo", {"-id", ventana}, entorno_);
        QVERIFY(info.contains("Width: 632"));
        QVERIFY(info.contains("Height: 266"));
        QVERIFY(!fs::exists(Ini()));
        QCOMPARE(belvaro->state(), QProcess::Running);
        PulsarSalir(ventana);
        Terminado(*belvaro);
        QCOMPARE(LeerArchivo(Ini()), std::string("[Transformadores]\r\nTransformado=0\r\n"));
        QCOMPARE(Mensajes(), std::string());
    }

    // A handle that does not parse: the error, an ordinary window (not in the host's)
    // in which the action still runs; it stays open and writes nothing.
    void handleNoValido() {
        auto belvaro = Belvaro({"exportar", "XYZ"}, "");
        QTRY_VERIFY_WITH_TIMEOUT(Mensajes().find("No existe archivo") != std::string::npos, 15000);
        QCOMPARE(Mensajes(),
                 std::string("E '$XYZ' no es un valor entero válido\nM No existe archivo\n"));
        QVERIFY(HijoDelAnfitrion().isEmpty());
        QCOMPARE(belvaro->state(), QProcess::Running);
        const QString ventana =
            Ejecutar("xdotool", {"search", "--name", "Exportar e importar"}, entorno_)
                .split('\n')
                .first();
        QVERIFY(!ventana.isEmpty());
        PulsarSalir(ventana);
        Terminado(*belvaro);
        QVERIFY(!fs::exists(Ini()));
    }

    // Zeltora.ini cannot be written: the error names it, and the program still ends.
    void iniNoEscribible() {
        auto belvaro = Belvaro({"importar", handle_}, "", {}, Carpeta() + "/no-existe");
        Terminado(*belvaro);
        const std::string mensajes = Mensajes();
        QVERIFY2(mensajes.find("E No se puede escribir el archivo de resultado \"" +
                               (carpeta_->ruta() / "no-existe" / "Zeltora.ini").string()) !=
                     std::string::npos,
                 mensajes.c_str());
    }
};

QTEST_GUILESS_MAIN(AnfitrionTest)
#include "AnfitrionTest.moc"
