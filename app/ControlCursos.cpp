#include "app/ControlCursos.h"

#include "app/Dialogos.h"
#include "app/Mensajes.h"
#include "app/ModeloCursos.h"
#include "app/NavegadorRegistros.h"
#include "app/PanelDegradado.h"
#include "app/RejillaCursos.h"
#include "export/TurnoCursos.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace belvaro {

namespace {

struct Aspecto {
    QColor color;
    bool subrayado = false;
    int puntos = 8;
    std::optional<QColor> fondo; // transparent when empty
    bool centrado = false;
    bool ajustado = false;
};

const QColor kRojo(0xFF, 0x00, 0x00);
const QColor kGranate(0x80, 0x00, 0x00);
const QColor kAmarillo(0xFF, 0xFF, 0x00);
const QColor kBlanco(0xFF, 0xFF, 0xFF);
const QColor kAzulCielo(0xA6, 0xCA, 0xF0);
const QColor kVerde(0x00, 0x80, 0x00);

QLabel* Etiqueta(QWidget* padre, const char* nombre, const char* texto, QRect caja,
                 const Aspecto& aspecto) {
    auto* etiqueta = new QLabel(QString::fromUtf8(texto), padre);
    etiqueta->setObjectName(QString::fromLatin1(nombre));
    etiqueta->setGeometry(caja);
    QFont letra = etiqueta->font();
    letra.setBold(true);
    letra.setUnderline(aspecto.subrayado);
    // Sized in pixels as laid out (96 dpi), so the texts fit their boxes on any screen.
    letra.setPixelSize(aspecto.puntos * 4 / 3);
    etiqueta->setFont(letra);
    QPalette paleta = etiqueta->palette();
    paleta.setColor(QPalette::WindowText, aspecto.color);
    if (aspecto.fondo) {
        paleta.setColor(QPalette::Window, *aspecto.fondo);
        etiqueta->setAutoFillBackground(true);
    }
    etiqueta->setPalette(paleta);
    etiqueta->setWordWrap(aspecto.ajustado);
    etiqueta->setAlignment((aspecto.centrado ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    return etiqueta;
}

} // namespace

TControlCursos::TControlCursos(TurnoCursos& turno, Dialogos& dialogos, QWidget* dueno)
    : QDialog(dueno, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      turno_(turno), dialogos_(dialogos),
      Draw3D1(new PanelDegradado(kVerde, kBlanco, kVerde, Qt::Horizontal, this)) {
    setObjectName(QStringLiteral("ControlCursos"));
    setWindowTitle(QString::fromUtf8("Asignación de Niveles y Cursos"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(686, 499);
    move(283, 200);
    Draw3D1->setObjectName(QStringLiteral("Draw3D1"));
    Draw3D1->setGeometry(1, 1, 684, 496);

    CrearRejilla();
    CrearEtiquetas();

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), Draw3D1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(519, 397, 101, 25);
    BitBtn1->setDefault(true);
    BitBtn1->setAutoDefault(true);
    QFont negrita = BitBtn1->font();
    negrita.setBold(true);
    BitBtn1->setFont(negrita);
    connect(BitBtn1, &QPushButton::clicked, this, &TControlCursos::BitBtn1Click);

    BitBtn2 = new QPushButton(QString::fromUtf8("Forzar Salida Sin Terminar Proceso "), Draw3D1);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(463, 424, 218, 24);
    BitBtn2->setAutoDefault(false);
    BitBtn2->setFont(negrita);
    QPalette rojo = BitBtn2->palette();
    rojo.setColor(QPalette::ButtonText, kRojo);
    BitBtn2->setPalette(rojo);
    connect(BitBtn2, &QPushButton::clicked, this, &TControlCursos::BitBtn2Click);

    // FormShow: the forced exit is offered from the second showing on.
    BitBtn2->setVisible(turno_.CursosIncompletos());
    Label8->setVisible(turno_.CursosIncompletos());
    setTabOrder(CursosTDBGrid, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    CursosTDBGrid->setFocus();
}

TControlCursos::~TControlCursos() = default;

void TControlCursos::CrearRejilla() {
    auto* navegador = new NavegadorRegistros(Draw3D1);
    wwDBNavigator1 = navegador;
    navegador->setObjectName(QStringLiteral("wwDBNavigator1"));
    navegador->setGeometry(105, 29, 275, 24);
    connect(navegador, &NavegadorRegistros::Pulsado, this,
            [this](NavegadorRegistros::Boton boton) { Navegar(boton); });

    CursosTDBGrid = new RejillaCursos(Draw3D1);
    CursosTDBGrid->setObjectName(QStringLiteral("CursosTDBGrid"));
    CursosTDBGrid->setGeometry(3, 56, 454, 433);
    QHeaderView* titulos = CursosTDBGrid->horizontalHeader();
    titulos->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: #FEE4A9; font-weight: bold; }"));
    titulos->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titulos->setFixedHeight(2 * titulos->fontMetrics().height() + 6);
    modelo_ = new ModeloCursos(turno_.Cursos(), this);
    CursosTDBGrid->setModel(modelo_);

    // Display widths in characters, never narrower than the bold title.
    const int caracter = CursosTDBGrid->fontMetrics().averageCharWidth();
    const QFontMetrics letraTitulos(titulos->font());
    const int anchos[] = {10, 40, 5, 3};
    for (int columna = 0; columna < ModeloCursos::NumColumnas; ++columna) {
        const QString titulo =
            modelo_->headerData(columna, Qt::Horizontal, Qt::DisplayRole).toString();
        CursosTDBGrid->setColumnWidth(
            columna,
            std::max(anchos[columna] * caracter, letraTitulos.horizontalAdvance(titulo) * 6 / 5) +
                10);
    }
    CursosTDBGrid->verticalHeader()->setDefaultSectionSize(CursosTDBGrid->fontMetrics().height() +
                                                           6);

    if (modelo_->rowCount() > 0)
        CursosTDBGrid->setCurrentIndex(modelo_->index(0, ModeloCursos::Clave));
    connect(CursosTDBGrid->selectionModel(), &QItemSelectionModel::currentColumnChanged, this,
            &TControlCursos::CursosTDBGridColEnter);
    connect(CursosTDBGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TControlCursos::CursosTDBGridFilaCambiada);
}

void TControlCursos::CrearEtiquetas() {
    QWidget* p = Draw3D1;
    Etiqueta(p, "Label1", "ASIGNACIÓN DE NIVELES Y CURSOS", {86, 5, 320, 20},
             {kBlanco, true, 12, {}, false, false});
    Label3 = Etiqueta(p, "Label3", "INCIDENCIAS EN EL TRASPASO", {468, 56, 190, 13},
                      {kRojo, true, 8, kBlanco, true});
    Label2 = Etiqueta(p, "Label2",
                      "Se ha detectado que falta por indicar algún NIVEL  o CURSO. Complete "
                      "el/los datos que falten, para poder concluir el proceso, antes de Salir.",
                      {473, 72, 180, 65}, {kRojo, false, 8, kAmarillo, false, true});
    Etiqueta(p, "Label4", "¡ IMPORTANTE !", {471, 140, 116, 16},
             {kRojo, true, 10, {}, false, false});
    Etiqueta(p, "Label5",
             "Las Abreviaturas de sus Grupos (Unidades), se formarán, en función del NIVEL y "
             "CURSO, del siguiente modo: ",
             {472, 156, 185, 52}, {kGranate, false, 8, {}, false, true});
    Etiqueta(p, "Label6", "Por ejemplo, NIVEL=ESO y CURSO=1 daría como resultado",
             {472, 207, 140, 39}, {QColor(0x00, 0x00, 0xFF), false, 8, {}, false, true});
    Etiqueta(p, "Label10", "Abreviatura del Grupo = ESO1A", {473, 244, 180, 13},
             {QColor(0xFF, 0x00, 0xFF), true, 8, {}, false, false});
    Etiqueta(p, "Label7",
             "y así secuencialmente para el resto de Grupos del mismo NIVEL y CURSO, ESO1B, "
             "ESO1C.",
             {472, 257, 200, 39}, {QColor(0x80, 0x00, 0x80), false, 8, {}, false, true});
    Etiqueta(p, "Label11",
             "Ejemplos de Niveles: BCT=Bach.C.T., BHC=Bach.Hum., BT=Bach.Tecnol., "
             "LS=Leng.Signos, GAD=Gest.Admin., EDSO=ESO Diversificación, etc...",
             {462, 300, 215, 52}, {kGranate, false, 8, kBlanco, false, true});
    Etiqueta(p, "Label9",
             "Luego es de vital IMPORTANCIA que para cada NIVEL sus 5 Primeros caracteres sean "
             "DISTINTOS.",
             {462, 354, 217, 39}, {kRojo, true, 8, kAzulCielo, false, true});
    Label8 = Etiqueta(p, "Label8",
                      "¡ Atención ! Si fuerza la Salida, los Datos recogidos serán INCOHERENTES.",
                      {479, 450, 182, 39}, {kRojo, false, 8, kAmarillo, true, true});
    Label3->hide();
    Label2->hide();
}

template <class Operacion> bool TControlCursos::Proteger(Operacion&& operacion) {
    if (fallo_)
        return false;
    try {
        operacion();
        return true;
    } catch (...) {
        fallo_ = std::current_exception();
        terminado_ = true;
        QDialog::done(QDialog::Rejected);
        return false;
    }
}

void TControlCursos::RelanzarFallo() const {
    if (fallo_)
        std::rethrow_exception(fallo_);
}

void TControlCursos::BitBtn1Click() {
    CursosTDBGrid->ConfirmarEdicion();
    bool incompleto = false;
    if (!Proteger([this, &incompleto] {
            modelo_->Guardar();
            terminado_ = true;
            incompleto = turno_.BitBtn1Click();
        }))
        return;
    if (incompleto) {
        Label3->show();
        Label2->show();
        dialogos_.Mensaje(mensajes::kFaltaAlgunDato);
        BitBtn2->show();
    }
    accept();
}

void TControlCursos::BitBtn2Click() {
    CursosTDBGrid->ConfirmarEdicion();
    if (!Proteger([this] {
            modelo_->Guardar();
            terminado_ = true;
            turno_.BitBtn2Click();
        }))
        return;
    reject();
}

void TControlCursos::done(int resultado) {
    // The close box ends the showing without a check; what was typed is kept.
    if (!terminado_) {
        CursosTDBGrid->ConfirmarEdicion();
        if (!Proteger([this] { modelo_->Guardar(); }))
            return;
        terminado_ = true;
    }
    QDialog::done(resultado);
}

void TControlCursos::CursosTDBGridColEnter(const QModelIndex& actual, const QModelIndex& anterior) {
    if (!actual.isValid() || !anterior.isValid())
        return;
    BitBtn2->hide();
    Label8->hide();
}

void TControlCursos::CursosTDBGridFilaCambiada(const QModelIndex&, const QModelIndex& anterior) {
    if (anterior.isValid() && modelo_->FilaPendiente() == anterior.row())
        Proteger([this] { modelo_->Guardar(); });
}

void TControlCursos::IrAFila(int fila) {
    if (modelo_->rowCount() == 0)
        return;
    fila = std::clamp(fila, 0, modelo_->rowCount() - 1);
    const int columna = std::max(CursosTDBGrid->currentIndex().column(), 0);
    CursosTDBGrid->setCurrentIndex(modelo_->index(fila, columna));
}

void TControlCursos::Navegar(int boton) {
    const int fila = CursosTDBGrid->currentIndex().row();
    constexpr int pagina = NavegadorRegistros::kFilasPorPagina;
    switch (boton) {
    case NavegadorRegistros::Primero:
        IrAFila(0);
        break;
    case NavegadorRegistros::PaginaAnterior:
        IrAFila(fila - pagina);
        break;
    case NavegadorRegistros::Anterior:
        IrAFila(fila - 1);
        break;
    case NavegadorRegistros::Siguiente:
        IrAFila(fila + 1);
        break;
    case NavegadorRegistros::PaginaSiguiente:
        IrAFila(fila + pagina);
        break;
    case NavegadorRegistros::Ultimo:
        IrAFila(modelo_->rowCount() - 1);
        break;
    case NavegadorRegistros::Editar:
        if (fila >= 0) {
            const int columna = CursosTDBGrid->currentIndex().column();
            CursosTDBGrid->edit(modelo_->index(
                fila, columna == ModeloCursos::Curso ? ModeloCursos::Curso : ModeloCursos::Nivel));
        }
        break;
    case NavegadorRegistros::Guardar:
        CursosTDBGrid->ConfirmarEdicion();
        Proteger([this] { modelo_->Guardar(); });
        break;
    case NavegadorRegistros::Cancelar:
        CursosTDBGrid->CancelarEdicion();
        modelo_->Cancelar();
        break;
    case NavegadorRegistros::Refrescar:
        CursosTDBGrid->ConfirmarEdicion();
        Proteger([this] {
            modelo_->Guardar();
            modelo_->Recargar();
        });
        IrAFila(fila);
        break;
    default:
        break;
    }
}

} // namespace belvaro
