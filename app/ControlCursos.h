#pragma once

#include <QDialog>

#include <exception>

class QLabel;
class QPushButton;

namespace belvaro {

class Dialogos;
class ModeloCursos;
class NavegadorRegistros;
class PanelDegradado;
class RejillaCursos;
class TurnoCursos;

// "Asignación de Niveles y Cursos": one showing of the level and course grid over
// the turn's CURSOST. OK checks the table through the turn; the forced exit gives
// up through it; the close box just closes (a pending edit is stored first).
class TControlCursos : public QDialog {
    Q_OBJECT
  public:
    TControlCursos(TurnoCursos& turno, Dialogos& dialogos, QWidget* dueno);
    ~TControlCursos() override;

    // An error of the table engine ends the showing; the job gets it from here.
    void RelanzarFallo() const;

  protected:
    void done(int resultado) override;

  private slots:
    void BitBtn1Click();
    void BitBtn2Click();
    void CursosTDBGridColEnter(const QModelIndex& actual, const QModelIndex& anterior);
    void CursosTDBGridFilaCambiada(const QModelIndex& actual, const QModelIndex& anterior);
    void Navegar(int boton);

  private:
    void CrearEtiquetas();
    void CrearRejilla();
    void IrAFila(int fila);
    // Runs an operation on the table; an error ends the showing and is kept.
    template <class Operacion> bool Proteger(Operacion&& operacion);

    TurnoCursos& turno_;
    Dialogos& dialogos_;
    PanelDegradado* Draw3D1;
    ModeloCursos* modelo_ = nullptr;
    RejillaCursos* CursosTDBGrid = nullptr;
    NavegadorRegistros* wwDBNavigator1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    bool terminado_ = false; // a button ended the turn (its table is closed)
    std::exception_ptr fallo_;
};

} // namespace belvaro
