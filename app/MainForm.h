#pragma once

#include "app/LineaOrdenes.h"
#include "app/Sesion.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QWindow;

namespace belvaro {

class Dialogos;
class InterlocutorVentana;
class PanelDegradado;

// How the window is started: the command line and the fixed places of the run.
struct OpcionesVentana {
    std::vector<std::string> parametros; // without the program's name
    Configuracion configuracion;
    std::filesystem::path archivoResultado; // Zeltora.ini, written in host mode
};

// MForm: "Exportar e importar datos entre Zeltora y Séneca". Two job buttons, a
// close button and a help button; in host mode it lives inside the host's window,
// starts the job the host named and leaves the result code in Zeltora.ini.
class TMForm : public QWidget {
    Q_OBJECT
  public:
    TMForm(OpcionesVentana opciones, Dialogos& dialogos, QWidget* padre = nullptr);
    ~TMForm() override;

    const EstadoSesion& Sesion() const { return sesion_; }
    bool Trabajando() const { return trabajando_; }
    // Closed (hidden) already, e.g. by a forced exit while the job goes on.
    bool Cerrada() const { return cerrada_; }
    // The host window we live in (host mode only).
    QWindow* Anfitrion() const { return anfitrion_; }

  public slots:
    void BExportarClick();
    void BImportarClick();
    void Button1Click();

  signals:
    // The program ends: the window is closed and no job is running.
    void Terminar();

  protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

  private:
    friend class InterlocutorVentana;

    void FormCreate();
    void FormShow();
    void FormClose();
    void CrearControles();
    void Incrustar(std::uintptr_t handle);
    void AbrirAyuda(std::optional<int> contexto);
    void Trabajo(const std::function<FinTrabajo()>& trabajo);
    void FinDeTrabajo(FinTrabajo fin);
    void CerrarVentana();
    void CerrarPorSalidaForzada();

    OpcionesVentana opciones_;
    LineaOrdenes linea_;
    Dialogos& dialogos_;
    std::unique_ptr<InterlocutorVentana> interlocutor_;
    EstadoSesion sesion_;
    QWindow* anfitrion_ = nullptr;
    bool mostrada_ = false;
    bool trabajando_ = false;
    bool cerrada_ = false;

    PanelDegradado* Draw3D1 = nullptr;
    PanelDegradado* Draw3D2 = nullptr;
    PanelDegradado* Draw3D3 = nullptr;
    QPushButton* BExportar = nullptr;
    QPushButton* BImportar = nullptr;
    QPushButton* BClose = nullptr;
    QPushButton* Button1 = nullptr;
};

} // namespace belvaro
