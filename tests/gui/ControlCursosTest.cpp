// The level and course dialog driven through its real widgets over a real CURSOST.

#include "app/ControlCursos.h"
#include "app/Aplicacion.h"
#include "app/Dialogos.h"
#include "app/Error.h"
#include "app/ModeloCursos.h"
#include "app/NavegadorRegistros.h"
#include "export/TurnoCursos.h"
#include "tables/Tabla.h"
#include "tests/gui/ApoyoGui.h"
#include "tests/support/Apoyo.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace belvaro;
namespace fs = std::filesystem;

namespace {

struct Curso {
    std::string clave, estudios, nivel, curso;
};

void EscribirCursos(const fs::path& carpeta, const std::vector<Curso>& cursos) {
    CrearTabla(carpeta, "CURSOST",
               {{"ABREV", TipoCampo::Texto, 3},
                {"TURNO", TipoCampo::Texto, 1},
                {"NIVEL", TipoCampo::Texto, 5},
                {"CURSO", TipoCampo::Texto, 3},
                {"CLAVE", TipoCampo::Texto, 10},
                {"ESTUD", TipoCampo::Texto, 80}});
    Tabla tabla(carpeta, "CURSOST");
    for (const Curso& c : cursos) {
        tabla.Append();
        tabla.FieldByName("CLAVE").SetAsString(c.clave);
        tabla.FieldByName("ESTUD").SetAsString(c.estudios);
        tabla.FieldByName("NIVEL").SetAsString(c.nivel);
        tabla.FieldByName("CURSO").SetAsString(c.curso);
    }
    tabla.Close();
}

// NIVEL and CURSO of every row, as stored.
std::vector<std::pair<std::string, std::string>> Guardados(const fs::path& carpeta) {
    Tabla tabla(carpeta, "CURSOST");
    std::vector<std::pair<std::string, std::string>> filas;
    for (tabla.First(); !tabla.Eof(); tabla.Next())
        filas.emplace_back(tabla.FieldByName("NIVEL").AsString(),
                           tabla.FieldByName("CURSO").AsString());
    return filas;
}

} // namespace

class ControlCursosTest : public QObject {
    Q_OBJECT

    std::unique_ptr<prueba::CarpetaTemporal> carpeta_;
    std::unique_ptr<TurnoCursos> turno_;
    std::unique_ptr<Dialogos> dialogos_;
    std::unique_ptr<TControlCursos> dialogo_;
    std::vector<std::string> mensajes_;

    void Abrir(const std::vector<Curso>& cursos, bool cursosIncompletos) {
        carpeta_ = std::make_unique<prueba::CarpetaTemporal>();
        EscribirCursos(carpeta_->ruta(), cursos);
        turno_ = std::make_unique<TurnoCursos>(carpeta_->ruta(), cursosIncompletos);
        dialogos_ = std::make_unique<Dialogos>();
        dialogos_->alMostrarMensaje = [this](const std::string& texto, bool) {
            mensajes_.push_back(texto);
        };
        dialogo_ = std::make_unique<TControlCursos>(*turno_, *dialogos_, nullptr);
        dialogo_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialogo_.get()));
    }

    template <class T> T* Hijo(const char* nombre) {
        T* hijo = dialogo_->findChild<T*>(QString::fromLatin1(nombre));
        if (hijo == nullptr)
            qFatal("no existe %s", nombre);
        return hijo;
    }
    QTableView* Rejilla() { return Hijo<QTableView>("CursosTDBGrid"); }

    QLineEdit* Teclear(int fila, int columna, const QString& texto) {
        return prueba::TeclearEnRejilla(Rejilla(), fila, columna, texto);
    }

  private slots:
    void initTestCase() { PrepararAplicacion(*qApp); }

    void cleanup() {
        dialogo_.reset();
        turno_.reset();
        dialogos_.reset();
        carpeta_.reset();
        mensajes_.clear();
    }

    void aspecto() {
        Abrir({{"101", "1\xBA ESO", "", ""}, {"102", "2\xBA ESO", "ESO", "2"}}, false);
        QCOMPARE(dialogo_->windowTitle(), QString::fromUtf8("Asignación de Niveles y Cursos"));
        QCOMPARE(dialogo_->size(), QSize(686, 499));

        auto* modelo = Rejilla()->model();
        const QStringList titulos = {QString::fromUtf8("CÓD.SÉNECA"), "ESTUDIOS", "NIVEL", "CURSO"};
        for (int c = 0; c < 4; ++c) {
            QCOMPARE(modelo->headerData(c, Qt::Horizontal).toString(), titulos[c]);
            QCOMPARE(bool(modelo->flags(modelo->index(0, c)) & Qt::ItemIsEditable), c >= 2);
        }
        QCOMPARE(modelo->headerData(0, Qt::Horizontal, Qt::BackgroundRole).value<QBrush>().color(),
                 QColor("#FEE4A9"));
        QCOMPARE(modelo->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor("#F0FBFF"));
        QCOMPARE(modelo->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor("#CFD9FE"));
        QCOMPARE(modelo->index(0, 1).data().toString(), QString::fromUtf8("1º ESO"));
        QVERIFY(Rejilla()->horizontalHeader()->height() >= 2 * Rejilla()->fontMetrics().height());
        // The first column stays in place: a second view shows only it.
        auto* fija = Hijo<QTableView>("CursosTDBGridColumnaFija");
        QVERIFY(fija->isVisible());
        QVERIFY(!fija->isColumnHidden(0));
        QVERIFY(fija->isColumnHidden(1) && fija->isColumnHidden(3));

        const char* pistas[] = {"Move to first record",
                                "Move backward 10 records",
                                "Move to prior record",
                                "Move to next record",
                                "Move forward 10 records",
                                "Move to last record",
                                "Edit current record",
                                "Post changes of current record",
                                "Cancel changes made to current record",
                                "Refresh the contents of the dataset"};
        const auto botones = Hijo<QWidget>("wwDBNavigator1")->findChildren<QToolButton*>();
        QCOMPARE(botones.size(), 10);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(botones[i]->toolTip(), QString::fromLatin1(pistas[i]));
            QVERIFY(botones[i]->autoRepeat());
            QCOMPARE(botones[i]->autoRepeatDelay(), 500);
            QCOMPARE(botones[i]->autoRepeatInterval(), 100);
        }
        QVERIFY(Hijo<QPushButton>("BitBtn1")->isDefault());
        QCOMPARE(Hijo<QPushButton>("BitBtn1")->text(), QString("OK"));
        QCOMPARE(Hijo<QLabel>("Label10")->text(), QString("Abreviatura del Grupo = ESO1A"));
        QVERIFY(Hijo<QLabel>("Label2")->text().contains("NIVEL  o CURSO"));
        for (const char* oculto : {"Label2", "Label3", "Label8", "BitBtn2"})
            QVERIFY2(!Hijo<QWidget>(oculto)->isVisible(), oculto);
        for (const char* visible :
             {"Label1", "Label4", "Label5", "Label6", "Label7", "Label9", "Label11", "BitBtn1"})
            QVERIFY2(Hijo<QWidget>(visible)->isVisible(), visible);
    }

    // From the second showing the forced exit is offered, until the column changes.
    void salidaForzadaOfrecidaHastaCambiarDeColumna() {
        Abrir({{"101", "1º ESO", "", ""}}, true);
        QVERIFY(Hijo<QWidget>("BitBtn2")->isVisible());
        QVERIFY(Hijo<QWidget>("Label8")->isVisible());
        Rejilla()->setCurrentIndex(Rejilla()->model()->index(0, ModeloCursos::Nivel));
        QVERIFY(!Hijo<QWidget>("BitBtn2")->isVisible());
        QVERIFY(!Hijo<QWidget>("Label8")->isVisible());
        Rejilla()->setCurrentIndex(Rejilla()->model()->index(0, ModeloCursos::Clave));
        QVERIFY(!Hijo<QWidget>("BitBtn2")->isVisible());
    }

    void comprobacion_data() {
        QTest::addColumn<QString>("nivel");
        QTest::addColumn<QString>("curso");
        QTest::addColumn<QString>("tecleado"); // typed into row 0's CURSO without leaving it
        QTest::addColumn<bool>("incompleto");
        QTest::newRow("completo") << "ESO"
                                  << "1"
                                  << "" << false;
        QTest::newRow("nivel en blanco") << "   "
                                         << "1"
                                         << "" << true;
        QTest::newRow("curso de control") << "ESO"
                                          << "\t"
                                          << "" << true;
        QTest::newRow("tecleado sin salir de la celda") << "ESO"
                                                        << ""
                                                        << "1" << false;
    }
    void comprobacion() {
        QFETCH(QString, nivel);
        QFETCH(QString, curso);
        QFETCH(QString, tecleado);
        QFETCH(bool, incompleto);
        // The second row is complete; the first decides.
        Abrir({{"101", "1º ESO", nivel.toStdString(), curso.toStdString()},
               {"102", "2º ESO", "ESO", "2"}},
              false);
        if (!tecleado.isEmpty())
            QVERIFY(Teclear(0, ModeloCursos::Curso, tecleado));
        QTest::mouseClick(Hijo<QPushButton>("BitBtn1"), Qt::LeftButton);

        QCOMPARE(dialogo_->result(), int(QDialog::Accepted));
        QCOMPARE(turno_->Incompleto, incompleto);
        QCOMPARE(turno_->Salida, std::string());
        QCOMPARE(mensajes_.size(), incompleto ? 1u : 0u);
        if (incompleto)
            QCOMPARE(mensajes_[0], std::string("¡Atención! Falta algún Dato"));
        for (const char* incidencia : {"Label3", "Label2", "BitBtn2"})
            QCOMPARE(!Hijo<QWidget>(incidencia)->isHidden(), incompleto);
        QVERIFY_THROWS_EXCEPTION(Error, turno_->Cursos()); // the check closed the table
        if (!tecleado.isEmpty())
            QCOMPARE(Guardados(carpeta_->ruta())[0].second, tecleado.toStdString());
    }

    // Typing is bounded by the field's width; Enter moves to the next column; leaving
    // the row stores it; the navigator's cancel drops the row's edits.
    void edicionDeCeldas() {
        Abrir({{"101", "A", "", ""}, {"102", "B", "", ""}, {"103", "C", "", ""}}, false);
        QLineEdit* editor = Teclear(0, ModeloCursos::Nivel, "ABCDEFG");
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(Rejilla()->currentIndex().column(), int(ModeloCursos::Curso));
        editor = Teclear(0, ModeloCursos::Curso, "1234");
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(Rejilla()->currentIndex().row(), 1);
        QTest::mouseClick(Hijo<QToolButton>("nbNext"), Qt::LeftButton);
        QCOMPARE(Rejilla()->currentIndex().row(), 2);

        editor = Teclear(2, ModeloCursos::Nivel, "BHC");
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::mouseClick(Hijo<QToolButton>("nbCancel"), Qt::LeftButton);
        QCOMPARE(Rejilla()->model()->index(2, ModeloCursos::Nivel).data().toString(), QString());
        QTest::mouseClick(Hijo<QToolButton>("nbFirst"), Qt::LeftButton);
        QCOMPARE(Rejilla()->currentIndex().row(), 0);

        dialogo_->close(); // the close box: no check, the table stays with the turn
        dialogo_->RelanzarFallo();
        QCOMPARE(turno_->Incompleto, false);
        QCOMPARE(turno_->Salida, std::string());
        turno_->Cursos().Close();
        const auto filas = Guardados(carpeta_->ruta());
        QCOMPARE(filas[0], std::make_pair(std::string("ABCDE"), std::string("123")));
        QCOMPARE(filas[2], std::make_pair(std::string(), std::string()));
    }

    void salidaForzada() {
        Abrir({{"101", "1º ESO", "", ""}}, true);
        QTest::mouseClick(Hijo<QPushButton>("BitBtn2"), Qt::LeftButton);
        QCOMPARE(dialogo_->result(), int(QDialog::Rejected));
        QCOMPARE(turno_->Salida, std::string("fuera"));
        QCOMPARE(turno_->Incompleto, false);
        QVERIFY(mensajes_.empty());
        QVERIFY_THROWS_EXCEPTION(Error, turno_->Cursos());
    }

    void tablaVaciaPasaLaComprobacion() {
        Abrir({}, false);
        QCOMPARE(Rejilla()->model()->rowCount(), 0);
        QTest::mouseClick(Hijo<QPushButton>("BitBtn1"), Qt::LeftButton);
        QCOMPARE(turno_->Incompleto, false);
        QVERIFY(mensajes_.empty());
    }

    // Text in the table is Windows-1252; what is typed is stored in it.
    void textoEnWindows1252() {
        Abrir({{"101", "Educaci\xF3n", "", ""}}, false);
        QCOMPARE(Rejilla()->model()->index(0, 1).data().toString(), QString::fromUtf8("Educación"));
        QTest::keyClick(Teclear(0, ModeloCursos::Nivel, QString::fromUtf8("ÑA")), Qt::Key_Return);
        QTest::mouseClick(Hijo<QPushButton>("BitBtn1"), Qt::LeftButton);
        QCOMPARE(Guardados(carpeta_->ruta())[0].first, std::string("\xD1"
                                                                   "A"));
    }
};

QTEST_MAIN(ControlCursosTest)
#include "ControlCursosTest.moc"
