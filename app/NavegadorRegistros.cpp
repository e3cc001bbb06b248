#include "app/NavegadorRegistros.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace belvaro {

namespace {
struct DefBoton {
    const char* nombre;
    QStyle::StandardPixmap icono;
    const char* pista;
};

constexpr DefBoton kBotones[NavegadorRegistros::NumBotones] = {
    {"nbFirst", QStyle::SP_MediaSkipBackward, "Move to first record"},
    {"nbPriorPage", QStyle::SP_MediaSeekBackward, "Move backward 10 records"},
    {"nbPrior", QStyle::SP_ArrowLeft, "Move to prior record"},
    {"nbNext", QStyle::SP_ArrowRight, "Move to next record"},
    {"nbNextPage", QStyle::SP_MediaSeekForward, "Move forward 10 records"},
    {"nbLast", QStyle::SP_MediaSkipForward, "Move to last record"},
    {"nbEdit", QStyle::SP_FileDialogContentsView, "Edit current record"},
    {"nbPost", QStyle::SP_DialogApplyButton, "Post changes of current record"},
    {"nbCancel", QStyle::SP_DialogCancelButton, "Cancel changes made to current record"},
    {"nbRefresh", QStyle::SP_BrowserReload, "Refresh the contents of the dataset"},
};
} // namespace

NavegadorRegistros::NavegadorRegistros(QWidget* padre) : QWidget(padre) {
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->setSpacing(0);
    for (int i = 0; i < NumBotones; ++i) {
        auto* boton = new QToolButton(this);
        boton->setObjectName(QString::fromLatin1(kBotones[i].nombre));
        boton->setIcon(style()->standardIcon(kBotones[i].icono));
        boton->setToolTip(QString::fromLatin1(kBotones[i].pista));
        boton->setAutoRepeat(true);
        boton->setAutoRepeatDelay(kRetrasoRepeticion);
        boton->setAutoRepeatInterval(kIntervaloRepeticion);
        boton->setFocusPolicy(Qt::NoFocus);
        boton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(boton, &QToolButton::clicked, this, [this, i] { emit Pulsado(Boton(i)); });
        botones_[i] = boton;
        fila->addWidget(boton);
    }
}

} // namespace belvaro
