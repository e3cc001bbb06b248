#pragma once

#include <QWidget>

class QToolButton;

namespace belvaro {

// The record navigator over the level and course grid: ten buttons, from left to
// right first, prior page, prior, next, next page, last, edit, post, cancel and
// refresh. A held button repeats. There is no insert and no delete.
class NavegadorRegistros : public QWidget {
    Q_OBJECT
  public:
    enum Boton {
        Primero,
        PaginaAnterior,
        Anterior,
        Siguiente,
        PaginaSiguiente,
        Ultimo,
        Editar,
        Guardar,
        Cancelar,
        Refrescar,
        NumBotones
    };
    static constexpr int kFilasPorPagina = 10;
    static constexpr int kRetrasoRepeticion = 500; // ms before a held button repeats
    static constexpr int kIntervaloRepeticion = 100;

    explicit NavegadorRegistros(QWidget* padre);
    QToolButton* BotonDe(Boton boton) const { return botones_[boton]; }

  signals:
    void Pulsado(belvaro::NavegadorRegistros::Boton boton);

  private:
    QToolButton* botones_[NumBotones];
};

} // namespace belvaro
