#include "app/RespuestasEntorno.h"

#include "app/ControlCursos.h"
#include "app/Dialogos.h"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QTableView>

#include <cstdlib>
#include <deque>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

namespace belvaro {

namespace {

const char* Variable(const char* nombre) {
    return std::getenv(nombre);
}

void Completar(TControlCursos& dialogo) {
    auto* rejilla = dialogo.findChild<QTableView*>(QStringLiteral("CursosTDBGrid"));
    QAbstractItemModel* modelo = rejilla->model();
    for (int fila = 0; fila < modelo->rowCount(); ++fila) {
        for (int columna : {2, 3}) {
            const QModelIndex celda = modelo->index(fila, columna);
            if (celda.data().toString().trimmed().isEmpty())
                modelo->setData(celda, columna == 2 ? QStringLiteral("ESO") : QStringLiteral("1"));
        }
    }
}

void Pulsar(TControlCursos& dialogo, const char* boton) {
    dialogo.findChild<QPushButton*>(QString::fromLatin1(boton))->click();
}

} // namespace

void PrepararRespuestasEntorno(Dialogos& dialogos) {
    if (const char* archivo = Variable("BELVARO_PRUEBA_ARCHIVO")) {
        if (*archivo == '\0')
            dialogos.respuestasArchivo.push_back(std::nullopt);
        else
            dialogos.respuestasArchivo.push_back(std::filesystem::path(archivo));
    }
    if (const char* registro = Variable("BELVARO_PRUEBA_MENSAJES")) {
        const std::string ruta = registro;
        dialogos.alMostrarMensaje = [ruta](const std::string& texto, bool esError) {
            std::ofstream salida(ruta, std::ios::app);
            salida << (esError ? "E " : "M ") << texto << '\n';
            if (!salida) // the run goes on; the message is not lost
                std::cerr << "No se puede escribir el registro de mensajes \"" << ruta
                          << "\": " << texto << '\n';
        };
    }
    if (const char* cursos = Variable("BELVARO_PRUEBA_CURSOS")) {
        auto turnos = std::make_shared<std::deque<std::string>>();
        std::istringstream lista(cursos);
        for (std::string turno; std::getline(lista, turno, ',');)
            turnos->push_back(turno);
        dialogos.alMostrarCursos = [turnos](TControlCursos& dialogo) {
            const std::string turno = turnos->empty() ? "cerrar" : turnos->front();
            if (!turnos->empty())
                turnos->pop_front();
            if (turno == "completo")
                Completar(dialogo);
            if (turno == "completo" || turno == "incompleto")
                Pulsar(dialogo, "BitBtn1");
            else if (turno == "forzar")
                Pulsar(dialogo, "BitBtn2");
            else if (turno != "mostrar")
                dialogo.reject();
        };
    }
}

} // namespace belvaro
