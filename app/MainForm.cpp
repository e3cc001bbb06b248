#include "app/MainForm.h"

#include "app/Ayuda.h"
#include "app/CarpetaDatos.h"
#include "app/Dialogos.h"
#include "app/Error.h"
#include "app/InterlocutorVentana.h"
#include "app/PanelDegradado.h"
#include "app/ResultadoIni.h"
#include "export/TrabajoExportar.h"
#include "import/TrabajoImportar.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QStyle>
#include <QWindow>

namespace belvaro {

namespace fs = std::filesystem;

namespace {

constexpr int kAncho = 632;
constexpr int kAlto = 266;

QLabel* Titulo(QWidget* panel, const char* nombre, const char* texto) {
    auto* etiqueta = new QLabel(QString::fromUtf8(texto), panel);
    etiqueta->setObjectName(QString::fromLatin1(nombre));
    etiqueta->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    etiqueta->setWordWrap(true);
    etiqueta->setAlignment(Qt::AlignCenter);
    etiqueta->setGeometry(16, 24, panel->width() - 32, 60);
    return etiqueta;
}

QPushButton* Boton(QWidget* panel, const char* nombre, QStyle::StandardPixmap icono,
                   const char* texto, QRect caja) {
    auto* boton =
        new QPushButton(panel->style()->standardIcon(icono), QString::fromUtf8(texto), panel);
    boton->setObjectName(QString::fromLatin1(nombre));
    boton->setGeometry(caja);
    return boton;
}

} // namespace

TMForm::TMForm(OpcionesVentana opciones, Dialogos& dialogos, QWidget* padre)
    : QWidget(padre, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint),
      opciones_(std::move(opciones)), linea_(LeerLineaOrdenes(opciones_.parametros)),
      dialogos_(dialogos), interlocutor_(std::make_unique<InterlocutorVentana>(*this, dialogos)) {
    setObjectName(QStringLiteral("MForm"));
    setWindowTitle(QString::fromUtf8("Exportar e importar datos entre Zeltora y Séneca"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(kAncho, kAlto);
    CrearControles();
    FormCreate();
}

TMForm::~TMForm() {
    // Our native window leaves the host's before the host's wrapper goes.
    if (anfitrion_ != nullptr && windowHandle() != nullptr)
        windowHandle()->setParent(nullptr);
    delete anfitrion_;
}

void TMForm::CrearControles() {
    Draw3D2 = new PanelDegradado(QColor(0xF9, 0xD3, 0x7D), Qt::white, QColor(0xFF, 0xEE, 0xDD),
                                 Qt::Vertical, this);
    Draw3D2->setObjectName(QStringLiteral("Draw3D2"));
    Draw3D2->setGeometry(0, 0, 315, 169);
    Titulo(Draw3D2, "Label3", "Transformar datos desde Séneca hacia Zeltora ");
    BExportar =
        Boton(Draw3D2, "BExportar", QStyle::SP_DialogOkButton, "Aceptar", {110, 110, 95, 30});

    Draw3D3 = new PanelDegradado(QColor(0xF9, 0xD3, 0x7D), Qt::white, QColor(0xFF, 0xEE, 0xDD),
                                 Qt::Vertical, this);
    Draw3D3->setObjectName(QStringLiteral("Draw3D3"));
    Draw3D3->setGeometry(315, 0, 317, 169);
    Titulo(Draw3D3, "Label4", "Transformar datos desde Zeltora hacia Séneca");
    BImportar =
        Boton(Draw3D3, "BImportar", QStyle::SP_DialogOkButton, "Aceptar", {111, 110, 95, 30});

    Draw3D1 = new PanelDegradado(QColor(0xC2, 0xCD, 0xFE), QColor(0xCF, 0xF2, 0xFE),
                                 QColor(0xCC, 0xD8, 0xE6), Qt::Vertical, this);
    Draw3D1->setObjectName(QStringLiteral("Draw3D1"));
    Draw3D1->setGeometry(0, 168, 633, 97);
    auto* Label1 = new QLabel(QStringLiteral("Belvaro para RQ40 V-1.0"), Draw3D1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont negrita = font();
    negrita.setBold(true);
    Label1->setFont(negrita);
    QPalette rojo = Label1->palette();
    rojo.setColor(QPalette::WindowText, Qt::red);
    Label1->setPalette(rojo);
    Label1->setGeometry(8, 74, 220, 16);
    BClose = Boton(Draw3D1, "BClose", QStyle::SP_DialogCloseButton, "&Salir", {269, 14, 95, 30});
    Button1 = new QPushButton(QStringLiteral("F1 AYUDA"), Draw3D1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(269, 52, 95, 25);

    connect(BExportar, &QPushButton::clicked, this, &TMForm::BExportarClick);
    connect(BImportar, &QPushButton::clicked, this, &TMForm::BImportarClick);
    connect(BClose, &QPushButton::clicked, this, &QWidget::close);
    connect(Button1, &QPushButton::clicked, this, &TMForm::Button1Click);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setObjectName(QStringLiteral("AyudaF1"));
    connect(f1, &QShortcut::activated, this, [this] { AbrirAyuda(kContextoVentana); });
}

void TMForm::FormCreate() {
    sesion_.Transformado = 0;
    if (!linea_.DosParametros())
        return;
    if (!linea_.anfitrion) {
        // Not a handle: an ordinary window, but the action word still runs on show.
        dialogos_.MensajeError(linea_.errorHandle);
        return;
    }
    Incrustar(*linea_.anfitrion);
    sesion_.ModoAnfitrion = linea_.cuenta;
}

void TMForm::Incrustar(std::uintptr_t handle) {
    setWindowFlags(Qt::FramelessWindowHint);
    winId(); // our native window, to hand to the host's
    anfitrion_ = QWindow::fromWinId(static_cast<WId>(handle));
    windowHandle()->setParent(anfitrion_);
    move(0, 0);
}

void TMForm::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (mostrada_)
        return;
    mostrada_ = true;
    if (anfitrion_ == nullptr) {
        if (const QScreen* pantalla = screen())
            move(pantalla->availableGeometry().center() - rect().center());
    }
    // The job starts once the window is up, from the event loop.
    if (linea_.DosParametros())
        QMetaObject::invokeMethod(this, &TMForm::FormShow, Qt::QueuedConnection);
}

void TMForm::FormShow() {
    switch (linea_.AccionPedida()) {
    case Accion::Importar:
        BImportarClick();
        break;
    case Accion::Exportar:
        BExportarClick();
        break;
    case Accion::Ninguna:
        break;
    }
}

void TMForm::closeEvent(QCloseEvent* evento) {
    FormClose();
    cerrada_ = true;
    evento->accept();
    if (!trabajando_)
        emit Terminar();
}

void TMForm::FormClose() {
    if (sesion_.ModoAnfitrion != 2)
        return;
    try {
        EscribirTransformado(opciones_.archivoResultado, sesion_.Transformado);
    } catch (const Error& e) {
        // The host gets no code this time; the window closes all the same.
        dialogos_.MensajeError(e.what());
    }
}

void TMForm::BExportarClick() {
    Trabajo([this] {
        return belvaro::BExportarClick(sesion_, opciones_.configuracion, *interlocutor_);
    });
}

void TMForm::BImportarClick() {
    Trabajo([this] {
        return belvaro::BImportarClick(sesion_, opciones_.configuracion, *interlocutor_);
    });
}

void TMForm::Trabajo(const std::function<FinTrabajo()>& trabajo) {
    if (trabajando_)
        return;
    trabajando_ = true;
    std::optional<FinTrabajo> fin;
    try {
        fin = trabajo();
    } catch (const std::exception& e) {
        interlocutor_->RestaurarCursor();
        dialogos_.MensajeError(e.what());
    }
    interlocutor_->RestaurarCursor();
    if (fin)
        FinDeTrabajo(*fin);
    trabajando_ = false;
    // A forced exit closed the window while the job ran: the program ends now.
    if (cerrada_)
        emit Terminar();
}

void TMForm::FinDeTrabajo(FinTrabajo fin) {
    switch (fin) {
    case FinTrabajo::Terminado:
        sesion_.Transformado = 1;
        BExportar->setEnabled(false);
        BImportar->setEnabled(false);
        if (sesion_.ModoAnfitrion == 2)
            CerrarVentana();
        break;
    case FinTrabajo::NoExisteArchivo:
        if (sesion_.ModoAnfitrion == 2) {
            sesion_.Transformado = -1;
            CerrarVentana();
        }
        break;
    case FinTrabajo::PeriodosNoEncontrado:
        break;
    }
}

void TMForm::CerrarVentana() {
    if (cerrada_)
        FormClose(); // hidden already: only the result code is written again
    else
        close();
}

void TMForm::CerrarPorSalidaForzada() {
    CerrarVentana();
}

void TMForm::Button1Click() {
    AbrirAyuda(std::nullopt);
}

void TMForm::AbrirAyuda(std::optional<int> contexto) {
    try {
        const auto buscar = [](std::string_view nombre) -> std::optional<fs::path> {
            const QString ruta = QStandardPaths::findExecutable(
                QString::fromUtf8(nombre.data(), static_cast<qsizetype>(nombre.size())));
            if (ruta.isEmpty())
                return std::nullopt;
            return fs::path(ruta.toStdString());
        };
        dialogos_.AbrirAyuda(
            ResolverAyuda(opciones_.configuracion.carpetaEjecutable, contexto, buscar));
    } catch (const Error& e) {
        dialogos_.MensajeError(e.what());
    }
}

} // namespace belvaro
