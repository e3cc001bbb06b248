// The main window driven through its buttons, with the real jobs behind them.

#include "app/MainForm.h"
#include "app/Aplicacion.h"
#include "app/Ayuda.h"
#include "app/ControlCursos.h"
#include "app/Dialogos.h"
#include "app/Error.h"
#include "app/LineaOrdenes.h"
#include "app/ModeloCursos.h"
#include "app/PanelDegradado.h"
#include "app/ResultadoIni.h"
#include "tables/Tabla.h"
#include "tests/gui/ApoyoGui.h"
#include "tests/support/Apoyo.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <fstream>
#include <map>
#include <memory>

using namespace belvaro;
namespace fs = std::filesystem;

namespace {

const fs::path kDatos = BELVARO_DATOS;

// CLAVE -> (NIVEL, CURSO) of the sample school.
std::map<QString, std::pair<QString, QString>> NivelesEjemplo() {
    std::map<QString, std::pair<QString, QString>> niveles;
    std::ifstream csv(kDatos / "niveles-ejemplo.csv");
    std::string linea;
    std::getline(csv, linea);
    while (std::getline(csv, linea)) {
        const QStringList campos = QString::fromStdString(linea).trimmed().split(';');
        if (campos.size() == 3)
            niveles[campos[0]] = {campos[1], campos[2]};
    }
    return niveles;
}

std::string Valor(const fs::path& carpeta, const char* tabla, const char* campo) {
    Tabla t(carpeta, tabla);
    t.First();
    return t.Eof() ? std::string() : t.FieldByName(campo).AsString();
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

    struct Mensaje {
        std::string texto;
        bool error;
    };

    std::unique_ptr<prueba::CarpetaTemporal> carpeta_;
    std::unique_ptr<Dialogos> dialogos_;
    std::vector<Mensaje> mensajes_;
    std::vector<DestinoAyuda> ayudas_;
    QStringList turnos_;         // what each showing of the level dialog does
    std::vector<bool> ofrecida_; // forced exit visible at the start of each showing

    fs::path Ztemp() const { return carpeta_->ruta() / "ZTEMP"; }

    std::unique_ptr<TMForm> Ventana(std::vector<std::string> parametros = {}) {
        OpcionesVentana opciones;
        opciones.parametros = std::move(parametros);
        opciones.configuracion = {Ztemp(),
                                  fs::path(QCoreApplication::applicationDirPath().toStdString())};
        opciones.archivoResultado = carpeta_->ruta() / kArchivoResultado;
        return std::make_unique<TMForm>(std::move(opciones), *dialogos_);
    }

    std::vector<std::string> Textos() const {
        std::vector<std::string> textos;
        for (const Mensaje& m : mensajes_)
            textos.push_back((m.error ? "E:" : "") + m.texto);
        return textos;
    }

    // One showing of the level and course dialog, acted on through its widgets.
    void Turno(TControlCursos& dialogo) {
        ofrecida_.push_back(dialogo.findChild<QWidget*>("BitBtn2")->isVisible());
        const QString accion = turnos_.isEmpty() ? QString("cerrar") : turnos_.takeFirst();
        auto* rejilla = dialogo.findChild<QTableView*>("CursosTDBGrid");
        if (accion == "completo") {
            const auto niveles = NivelesEjemplo();
            for (int fila = 0; fila < rejilla->model()->rowCount(); ++fila) {
                const QString clave = rejilla->model()->index(fila, 0).data().toString();
                const auto& [nivel, curso] = niveles.at(clave);
                QTest::keyClick(prueba::TeclearEnRejilla(rejilla, fila, ModeloCursos::Nivel, nivel),
                                Qt::Key_Return);
                QTest::keyClick(prueba::TeclearEnRejilla(rejilla, fila, ModeloCursos::Curso, curso),
                                Qt::Key_Return);
            }
        }
        if (accion == "forzar")
            QTest::mouseClick(dialogo.findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
        else if (accion == "cerrar")
            dialogo.close();
        else
            QTest::mouseClick(dialogo.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    }

    void Pulsar(TMForm& ventana, const char* boton) {
        QTest::mouseClick(ventana.findChild<QPushButton*>(boton), Qt::LeftButton);
    }
    bool Activo(TMForm& ventana, const char* boton) {
        return ventana.findChild<QPushButton*>(boton)->isEnabled();
    }

    // SOLUC as the host leaves it: one lesson of the first assignment's teacher.
    void EscribirSoluc() {
        CrearTabla(Ztemp(), "SOLUC",
                   {{"PROF", TipoCampo::Texto, 10},
                    {"DIA", TipoCampo::Entero, 0},
                    {"HORA", TipoCampo::Entero, 0},
                    {"ASIG", TipoCampo::Texto, 10},
                    {"CODGRUPO", TipoCampo::Texto, 10},
                    {"TAREA", TipoCampo::Texto, 10},
                    {"AULA", TipoCampo::Texto, 10}});
        Tabla soluc(Ztemp(), "SOLUC");
        soluc.Append();
        soluc.FieldByName("PROF").SetAsString(Valor(Ztemp(), "PROFT", "ABREV"));
        soluc.FieldByName("DIA").SetAsInteger(1);
        soluc.FieldByName("HORA").SetAsInteger(1);
        soluc.FieldByName("ASIG").SetAsString(Valor(Ztemp(), "ASIGT", "CASIG"));
        soluc.FieldByName("CODGRUPO").SetAsString(Valor(Ztemp(), "ASIGT", "CGRUP"));
        soluc.Close();
    }

  private slots:
    void initTestCase() { PrepararAplicacion(*qApp); }

    void init() {
        carpeta_ = std::make_unique<prueba::CarpetaTemporal>();
        dialogos_ = std::make_unique<Dialogos>();
        dialogos_->alMostrarMensaje = [this](const std::string& texto, bool error) {
            mensajes_.push_back({texto, error});
        };
        dialogos_->alAbrirAyuda = [this](const DestinoAyuda& d) { ayudas_.push_back(d); };
        dialogos_->alMostrarCursos = [this](TControlCursos& d) { Turno(d); };
    }

    void cleanup() {
        dialogos_.reset();
        carpeta_.reset();
        mensajes_.clear();
        ayudas_.clear();
        turnos_.clear();
        ofrecida_.clear();
        QCOMPARE(QApplication::overrideCursor(), nullptr); // no wait cursor left behind
    }

    void disposicion_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("texto");
        QTest::newRow("Label3") << "Label3"
                                << QString::fromUtf8(
                                       "Transformar datos desde Séneca hacia Zeltora ");
        QTest::newRow("Label4") << "Label4"
                                << QString::fromUtf8(
                                       "Transformar datos desde Zeltora hacia Séneca");
        QTest::newRow("Label1") << "Label1"
                                << "Belvaro para RQ40 V-1.0";
        QTest::newRow("BExportar") << "BExportar"
                                   << "Aceptar";
        QTest::newRow("BImportar") << "BImportar"
                                   << "Aceptar";
        QTest::newRow("BClose") << "BClose"
                                << "&Salir";
        QTest::newRow("Button1") << "Button1"
                                 << "F1 AYUDA";
    }
    void disposicion() {
        QFETCH(QString, nombre);
        QFETCH(QString, texto);
        auto ventana = Ventana();
        QCOMPARE(ventana->objectName(), QString("MForm"));
        QCOMPARE(ventana->size(), QSize(632, 266));
        QCOMPARE(ventana->minimumSize(), ventana->maximumSize());
        QCOMPARE(ventana->windowTitle(),
                 QString::fromUtf8("Exportar e importar datos entre Zeltora y Séneca"));
        QWidget* control = ventana->findChild<QWidget*>(nombre);
        QVERIFY(control);
        if (auto* etiqueta = qobject_cast<QLabel*>(control)) {
            QCOMPARE(etiqueta->text(), texto);
            QVERIFY(etiqueta->font().bold());
        } else {
            auto* boton = qobject_cast<QPushButton*>(control);
            QCOMPARE(boton->text(), texto);
            QCOMPARE(boton->icon().isNull(), nombre == "Button1");
        }
        if (nombre == "Label3" || nombre == "Label4") {
            QCOMPARE(control->font().family(), QString("Arial"));
            QCOMPARE(control->font().pointSize(), 12);
        }
    }

    void degradados_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QRect>("caja");
        QTest::addColumn<QColor>("inicio");
        QTest::addColumn<QColor>("medio");
        QTest::addColumn<QColor>("fin");
        QTest::newRow("Draw3D2") << "Draw3D2" << QRect(0, 0, 315, 169) << QColor("#F9D37D")
                                 << QColor(Qt::white) << QColor("#FFEEDD");
        QTest::newRow("Draw3D3") << "Draw3D3" << QRect(315, 0, 317, 169) << QColor("#F9D37D")
                                 << QColor(Qt::white) << QColor("#FFEEDD");
        QTest::newRow("Draw3D1") << "Draw3D1" << QRect(0, 168, 633, 97) << QColor("#C2CDFE")
                                 << QColor("#CFF2FE") << QColor("#CCD8E6");
    }
    void degradados() {
        QFETCH(QString, nombre);
        QFETCH(QRect, caja);
        auto ventana = Ventana();
        auto* panel = ventana->findChild<PanelDegradado*>(nombre);
        QVERIFY(panel);
        QCOMPARE(panel->geometry(), caja);
        QTEST(panel->Inicio(), "inicio");
        QTEST(panel->Medio(), "medio");
        QTEST(panel->Fin(), "fin");
        // What is painted: the start colour at the top, the end colour at the bottom.
        ventana->show();
        QVERIFY(QTest::qWaitForWindowExposed(ventana.get()));
        const QImage imagen = panel->grab().toImage();
        const auto cerca = [](QColor a, QColor b) {
            return qAbs(a.red() - b.red()) < 6 && qAbs(a.green() - b.green()) < 6 &&
                   qAbs(a.blue() - b.blue()) < 6;
        };
        QVERIFY(cerca(imagen.pixel(caja.width() / 2, 0), panel->Inicio()));
        QVERIFY(cerca(imagen.pixel(caja.width() / 2, imagen.height() / 2), panel->Medio()));
        QVERIFY(cerca(imagen.pixel(2, imagen.height() - 1), panel->Fin()));
    }

    // The export from its button: the dialog's turns until every course is complete.
    void exportarDesdeBoton_data() {
        QTest::addColumn<QStringList>("turnos");
        QTest::addColumn<QStringList>("mensajes");
        QTest::addColumn<bool>("forzada");
        const QString falta = QString::fromUtf8("¡Atención! Falta algún Dato");
        QTest::newRow("completo") << QStringList{"completo"} << QStringList{"Proceso finalizado"}
                                  << false;
        QTest::newRow("incompleto dos veces y completo")
            << QStringList{"incompleto", "incompleto", "completo"}
            << QStringList{falta, falta, "Proceso finalizado"} << false;
        // The forced exit closes the window; the job still runs its remaining steps,
        // and the end message goes unseen as the program is ending.
        QTest::newRow("salida forzada en el turno dos")
            << QStringList{"incompleto", "forzar"} << QStringList{falta} << true;
    }
    void exportarDesdeBoton() {
        QFETCH(QStringList, turnos);
        QFETCH(QStringList, mensajes);
        QFETCH(bool, forzada);
        turnos_ = turnos;
        dialogos_->respuestasArchivo = {kDatos / "seneca-ejemplo.xml"};
        auto ventana = Ventana();
        QSignalSpy terminar(ventana.get(), &TMForm::Terminar);
        ventana->show();
        QVERIFY(QTest::qWaitForWindowExposed(ventana.get()));

        Pulsar(*ventana, "BExportar");

        QStringList vistos;
        for (const std::string& t : Textos())
            vistos << QString::fromStdString(t);
        QCOMPARE(vistos, mensajes);
        QCOMPARE(int(ofrecida_.size()), turnos.size());
        for (std::size_t i = 0; i < ofrecida_.size(); ++i)
            QCOMPARE(bool(ofrecida_[i]), i > 0); // forced exit offered from showing two
        QCOMPARE(ventana->Sesion().Transformado, 1);
        QVERIFY(!Activo(*ventana, "BExportar"));
        QVERIFY(!Activo(*ventana, "BImportar"));
        QCOMPARE(ventana->Cerrada(), forzada);
        QCOMPARE(terminar.count(), forzada ? 1 : 0);
        QVERIFY(!fs::exists(carpeta_->ruta() / kArchivoResultado)); // normal mode
        // The last step ran, and what was typed reached CURSOST.
        QVERIFY(ExisteTabla(Ztemp(), "DIASHORAST"));
        QCOMPARE(Valor(Ztemp(), "CURSOST", "NIVEL").empty(), forzada);
    }

    void importarDesdeBoton() {
        turnos_ = {"completo"};
        dialogos_->respuestasArchivo = {kDatos / "seneca-ejemplo.xml"};
        Pulsar(*Ventana(), "BExportar");
        QCOMPARE(Textos().back(), std::string("Proceso finalizado"));
        EscribirSoluc();
        mensajes_.clear();

        prueba::EscribirArchivo(carpeta_->ruta() / "horarios.xml",
                                prueba::LeerArchivo(kDatos / "seneca-ejemplo.xml"));
        dialogos_->respuestasArchivo = {carpeta_->ruta() / "horarios.xml"};
        auto ventana = Ventana();
        Pulsar(*ventana, "BImportar");

        QCOMPARE(Textos(), std::vector<std::string>{"Proceso finalizado"});
        const std::string salida =
            prueba::LeerArchivo(carpeta_->ruta() / "ResultadoZeltoshorarios.xml");
        QVERIFY(salida.find("HORARIO_REGULAR_PROFESOR_1") != std::string::npos);
        QVERIFY(salida.find("ACTIVIDAD_1") != std::string::npos);
        QVERIFY(!Activo(*ventana, "BExportar"));
        QVERIFY(!Activo(*ventana, "BImportar"));
    }

    // No file: the message, and the window stays usable.
    void noExisteArchivo_data() {
        QTest::addColumn<QString>("boton");
        QTest::addColumn<bool>("cancelado");
        QTest::newRow("exportar cancelado") << "BExportar" << true;
        QTest::newRow("exportar inexistente") << "BExportar" << false;
        QTest::newRow("importar cancelado") << "BImportar" << true;
    }
    void noExisteArchivo() {
        QFETCH(QString, boton);
        QFETCH(bool, cancelado);
        if (cancelado)
            dialogos_->respuestasArchivo = {std::nullopt};
        else
            dialogos_->respuestasArchivo = {carpeta_->ruta() / "no-esta.xml"};
        auto ventana = Ventana();
        Pulsar(*ventana, boton.toLatin1().constData());
        QCOMPARE(Textos(), std::vector<std::string>{"No existe archivo"});
        QCOMPARE(ventana->Sesion().Transformado, 0);
        QVERIFY(Activo(*ventana, "BExportar"));
        QVERIFY(Activo(*ventana, "BImportar"));
        QVERIFY(!ventana->Cerrada());
        QVERIFY(!fs::exists(carpeta_->ruta() / kArchivoResultado));
    }

    // A job that stops on an error: the error box with its text, buttons still
    // enabled; cancelling the next dialog runs the job on the same file again.
    void errorDeTrabajo() {
        const fs::path malo = carpeta_->ruta() / "otro.xml";
        prueba::EscribirArchivo(malo, "<?xml version=\"1.0\"?><OTRO/>");
        dialogos_->respuestasArchivo = {malo, std::nullopt};
        auto ventana = Ventana();
        Pulsar(*ventana, "BExportar");
        Pulsar(*ventana, "BExportar");
        QCOMPARE(mensajes_.size(), 2u);
        for (const Mensaje& m : mensajes_) {
            QVERIFY(m.error);
            QVERIFY2(m.texto.find(malo.string()) != std::string::npos, m.texto.c_str());
        }
        QCOMPARE(ventana->Sesion().Transformado, 0);
        QVERIFY(Activo(*ventana, "BExportar"));
        QVERIFY(Activo(*ventana, "BImportar"));
    }

    void ayuda() {
        // The pages as the build lays them beside the program.
        auto ventana = Ventana();
        Pulsar(*ventana, "Button1");
        ventana->show();
        QVERIFY(QTest::qWaitForWindowActive(ventana.get()));
        QTest::keyClick(ventana.get(), Qt::Key_F1);
        QCOMPARE(ayudas_.size(), 2u);
        QCOMPARE(ayudas_[0].tema, std::string()); // contents
        QVERIFY(ayudas_[0].archivo.filename() == "SENECA.chm" ||
                ayudas_[0].archivo.filename() == kPaginaIndice);
        QVERIFY(fs::exists(ayudas_[1].archivo));
        QVERIFY(ayudas_[1].tema == kPaginaContexto1 ||
                ayudas_[1].archivo.filename() == kPaginaContexto1);
    }

    void destinoAyuda_data() {
        QTest::addColumn<bool>("chm");
        QTest::addColumn<QString>("visor");
        QTest::addColumn<int>("contexto"); // 0: contents
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<QString>("tema");
        QTest::newRow("chm indice") << true << "xchm" << 0 << "SENECA.chm"
                                    << "";
        QTest::newRow("chm contexto 1") << true << "kchmviewer" << 1 << "SENECA.chm"
                                        << "ventana.html";
        QTest::newRow("chm sin visor") << true << "" << 1 << "ayuda/ventana.html"
                                       << "";
        QTest::newRow("html indice") << false << "xchm" << 0 << "ayuda/index.html"
                                     << "";
    }
    void destinoAyuda() {
        QFETCH(bool, chm);
        QFETCH(QString, visor);
        QFETCH(int, contexto);
        QFETCH(QString, archivo);
        QFETCH(QString, tema);
        const fs::path c = carpeta_->ruta();
        fs::create_directory(c / "ayuda");
        prueba::EscribirArchivo(c / "ayuda" / "index.html", "i");
        prueba::EscribirArchivo(c / "ayuda" / "ventana.html", "v");
        if (chm)
            prueba::EscribirArchivo(c / "SENECA.chm", "ITSF");
        const auto buscar = [&](std::string_view nombre) -> std::optional<fs::path> {
            if (nombre == visor.toStdString())
                return fs::path("/usr/bin") / nombre;
            return std::nullopt;
        };
        const DestinoAyuda destino =
            ResolverAyuda(c, contexto == 0 ? std::nullopt : std::optional<int>(contexto), buscar);
        QCOMPARE(QString::fromStdString(fs::relative(destino.archivo, c).string()), archivo);
        QCOMPARE(QString::fromStdString(destino.tema), tema);
        QCOMPARE(destino.visor.empty(), !chm || visor.isEmpty());
    }

    void sinAyuda() {
        QVERIFY_THROWS_EXCEPTION(Error, ResolverAyuda(carpeta_->ruta(), 1, [](std::string_view) {
                                     return std::optional<fs::path>();
                                 }));
    }

    void lineaOrdenes_data() {
        QTest::addColumn<QStringList>("parametros");
        QTest::addColumn<int>("accion");
        QTest::addColumn<qulonglong>("handle");
        QTest::addColumn<QString>("error");
        QTest::newRow("EXPORTAR 1A2B")
            << QStringList{"EXPORTAR", "1A2B"} << int(Accion::Exportar) << 0x1A2BULL << "";
        QTest::newRow("importar minusculas")
            << QStringList{"Importar", "ff"} << int(Accion::Importar) << 0xFFULL << "";
        QTest::newRow("abrir") << QStringList{"abrir", "1A2B"} << int(Accion::Ninguna) << 0x1A2BULL
                               << "";
        QTest::newRow("un parametro")
            << QStringList{"exportar"} << int(Accion::Ninguna) << 0ULL << "";
        QTest::newRow("tres parametros")
            << QStringList{"exportar", "1", "2"} << int(Accion::Ninguna) << 0ULL << "";
        QTest::newRow("no hexadecimal")
            << QStringList{"exportar", "XYZ"} << int(Accion::Exportar) << 0ULL
            << QString::fromUtf8("'$XYZ' no es un valor entero válido");
        QTest::newRow("vacio") << QStringList{"exportar", ""} << int(Accion::Exportar) << 0ULL
                               << QString::fromUtf8("'$' no es un valor entero válido");
        QTest::newRow("con prefijo")
            << QStringList{"exportar", "0x1A"} << int(Accion::Exportar) << 0ULL
            << QString::fromUtf8("'$0x1A' no es un valor entero válido");
        QTest::newRow("desborde") << QStringList{"exportar", "1FFFFFFFFFFFFFFFF"}
                                  << int(Accion::Exportar) << 0ULL
                                  << QString::fromUtf8(
                                         "'$1FFFFFFFFFFFFFFFF' no es un valor entero válido");
    }
    void lineaOrdenes() {
        QFETCH(QStringList, parametros);
        QFETCH(int, accion);
        QFETCH(qulonglong, handle);
        QFETCH(QString, error);
        std::vector<std::string> p;
        for (const QString& s : parametros)
            p.push_back(s.toStdString());
        const LineaOrdenes linea = LeerLineaOrdenes(p);
        QCOMPARE(int(linea.AccionPedida()), accion);
        QCOMPARE(QString::fromStdString(linea.errorHandle), error);
        QCOMPARE(linea.anfitrion.has_value(), linea.DosParametros() && error.isEmpty());
        if (linea.anfitrion)
            QCOMPARE(qulonglong(*linea.anfitrion), handle);
    }

    // A handle that does not parse: the error, then an ordinary window in which the
    // action word still runs; it does not close by itself and writes nothing.
    void handleNoValido() {
        dialogos_->respuestasArchivo = {std::nullopt};
        auto ventana = Ventana({"exportar", "XYZ"});
        QCOMPARE(Textos(), std::vector<std::string>{"E:'$XYZ' no es un valor entero válido"});
        ventana->show();
        QVERIFY(QTest::qWaitForWindowExposed(ventana.get()));
        QTRY_COMPARE(mensajes_.size(), 2u);
        QCOMPARE(mensajes_[1].texto, std::string("No existe archivo"));
        QCOMPARE(ventana->Sesion().ModoAnfitrion, 0);
        QCOMPARE(ventana->Sesion().Transformado, 0);
        QVERIFY(ventana->Anfitrion() == nullptr);
        QVERIFY(!(ventana->windowFlags() & Qt::FramelessWindowHint));
        QVERIFY(ventana->isVisible());
        ventana->close();
        QVERIFY(!fs::exists(carpeta_->ruta() / kArchivoResultado));
    }

    // Salir in normal mode: the program ends, nothing is written.
    void salirEnModoNormal() {
        auto ventana = Ventana({"exportar"});
        QSignalSpy terminar(ventana.get(), &TMForm::Terminar);
        ventana->show();
        QVERIFY(QTest::qWaitForWindowExposed(ventana.get()));
        QTest::qWait(20);
        QVERIFY(mensajes_.empty()); // one parameter: nothing starts by itself
        Pulsar(*ventana, "BClose");
        QCOMPARE(terminar.count(), 1);
        QVERIFY(!ventana->isVisible());
        QVERIFY(!fs::exists(carpeta_->ruta() / kArchivoResultado));
    }
};

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
