#include "app/RejillaCursos.h"

#include "app/ModeloCursos.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

namespace belvaro {

namespace {
bool EsIntro(const QEvent* evento) {
    if (evento->type() != QEvent::KeyPress)
        return false;
    const int tecla = static_cast<const QKeyEvent*>(evento)->key();
    return tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
}
} // namespace

QWidget* EditorCeldas::createEditor(QWidget* padre, const QStyleOptionViewItem& opcion,
                                    const QModelIndex& indice) const {
    QWidget* editor = QStyledItemDelegate::createEditor(padre, opcion, indice);
    if (auto* linea = qobject_cast<QLineEdit*>(editor)) {
        const int ancho = indice.data(ModeloCursos::kRolAncho).toInt();
        if (ancho > 0)
            linea->setMaxLength(ancho);
    }
    abierto_ = editor;
    return editor;
}

bool EditorCeldas::eventFilter(QObject* objeto, QEvent* evento) {
    auto* editor = qobject_cast<QWidget*>(objeto);
    if (editor != nullptr && EsIntro(evento)) {
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::EditNextItem);
        return true;
    }
    return QStyledItemDelegate::eventFilter(objeto, evento);
}

RejillaCursos::RejillaCursos(QWidget* padre)
    : QTableView(padre), editor_(new EditorCeldas(this)), fija_(new QTableView(this)) {
    setItemDelegate(editor_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);

    fija_->setObjectName(QStringLiteral("CursosTDBGridColumnaFija"));
    fija_->setFocusPolicy(Qt::NoFocus);
    fija_->verticalHeader()->hide();
    fija_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fija_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fija_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fija_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fija_->setFrameShape(QFrame::NoFrame);
    viewport()->stackUnder(fija_);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, fija_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(fija_->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
}

void RejillaCursos::setModel(QAbstractItemModel* modelo) {
    QTableView::setModel(modelo);
    fija_->setModel(modelo);
    fija_->setSelectionModel(selectionModel());
    for (int columna = 1; columna < modelo->columnCount(); ++columna)
        fija_->setColumnHidden(columna, true);
    fija_->horizontalHeader()->setStyleSheet(horizontalHeader()->styleSheet());
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int seccion, int, int ancho) {
                if (seccion == 0) {
                    fija_->setColumnWidth(0, ancho);
                    ColocarColumnaFija();
                }
            });
    ColocarColumnaFija();
}

void RejillaCursos::ConfirmarEdicion() {
    if (state() != QAbstractItemView::EditingState || editor_->EditorAbierto() == nullptr)
        return;
    QWidget* editor = editor_->EditorAbierto();
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void RejillaCursos::CancelarEdicion() {
    if (state() != QAbstractItemView::EditingState || editor_->EditorAbierto() == nullptr)
        return;
    closeEditor(editor_->EditorAbierto(), QAbstractItemDelegate::RevertModelCache);
}

void RejillaCursos::keyPressEvent(QKeyEvent* evento) {
    if (EsIntro(evento) && state() != QAbstractItemView::EditingState) {
        const QModelIndex siguiente = moveCursor(QAbstractItemView::MoveNext, Qt::NoModifier);
        if (siguiente.isValid())
            setCurrentIndex(siguiente);
        return;
    }
    QTableView::keyPressEvent(evento);
}

void RejillaCursos::resizeEvent(QResizeEvent* evento) {
    QTableView::resizeEvent(evento);
    ColocarColumnaFija();
}

void RejillaCursos::updateGeometries() {
    QTableView::updateGeometries();
    ColocarColumnaFija();
}

void RejillaCursos::ColocarColumnaFija() {
    if (model() == nullptr)
        return;
    fija_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    fija_->setColumnWidth(0, columnWidth(0));
    for (int fila = 0; fila < model()->rowCount(); ++fila)
        fija_->setRowHeight(fila, rowHeight(fila));
    fija_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), columnWidth(0),
                       viewport()->height() + horizontalHeader()->height());
}

} // namespace belvaro
