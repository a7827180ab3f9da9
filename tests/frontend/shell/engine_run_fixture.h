#pragma once

// The main window running an engine: the real brenta, or a stand-in script, with the steps a
// user takes while it runs.
#include <QDir>
#include <QFileDevice>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>
#include <vector>

#include "document_fixture.h"
#include "results/frmgraficos.h"
#include "shell/frmconsola.h"
#include "shell/frmedit.h"

// One copy in each test file that runs an engine.
namespace {

using farvik::frmconsola;
using farvik::frmedit;
using farvik::MessageAnswer;
using farvik::MessageButtons;
using farvik::MessageIcon;

const QString kNotRun = QStringLiteral("El fichero no se ha ejecutado correctamente");
const QString kFirstQuestion = QStringLiteral("si no quiere introduzca.. 2");
const QString kStopSis1 =
    QStringLiteral("Se está ejecutando SIS1.DAT. ¿Deseas detener la ejecución?");
const QString kSummaryLife =
    QStringLiteral("ESTIMACION DE LA VIDA MEDIA DEL SISTEMA (sin redundancia)  =");

class EngineRunTest : public DocumentTest {
  public:  // the steps taken during a run reach into the fixture
    // Steps taken while the engine runs, each when the console first shows its prompt.
    struct Step {
        QString prompt;
        std::function<void(EngineRunTest&)> action;
    };

    frmconsola* console() const {
        return window->consoleWindow()
                   ? qobject_cast<frmconsola*>(window->consoleWindow()->widget())
                   : nullptr;
    }
    QString consoleText() const {
        return console() ? console()->txtconsola()->toPlainText() : QString();
    }
    frmedit* viewer() const {
        return window->viewerWindow() ? qobject_cast<frmedit*>(window->viewerWindow()->widget())
                                      : nullptr;
    }
    QString viewerText() const {
        return viewer() ? viewer()->rtxtdatos()->toPlainText() : QString();
    }

    // Types a line into the console and presses Enter, as the user does.
    void answer(const QString& text) {
        ASSERT_NE(console(), nullptr);
        QTest::keyClicks(console()->txtentrada(), text);
        QTest::keyClick(console()->txtentrada(), Qt::Key_Return);
    }
    static Step reply(const QString& prompt, const QString& text) {
        return {prompt, [text](EngineRunTest& t) { t.answer(text); }};
    }

    // Ejecutar, with the steps taken from a timer until the run's end has been taken. A
    // watchdog stops an engine that never reaches the next prompt, so that no test can hang.
    void run(const std::vector<Step>& steps) {
        std::size_t next = 0;
        qsizetype seenUpTo = 0;
        int idleTicks = 0;
        QTimer timer;
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            const QString text = consoleText();
            if (next < steps.size()) {
                const qsizetype at = text.indexOf(steps[next].prompt, seenUpTo);
                if (at >= 0) {
                    seenUpTo = at + steps[next].prompt.size();
                    steps[next++].action(*this);
                    idleTicks = 0;
                    return;
                }
            }
            if (++idleTicks > 6000 && console()) {
                ADD_FAILURE() << "the engine never showed: "
                              << (next < steps.size() ? steps[next].prompt.toStdString() : "")
                              << "\n"
                              << text.toStdString();
                console()->btcancelar()->click();
            }
        });
        timer.start();
        window->ejecutar();
        while (window->runGoingOn()) QTest::qWait(5);
        timer.stop();
        EXPECT_EQ(next, steps.size()) << "steps left untaken";
    }

    // A stand-in engine: a shell script whose body is given.
    QString fakeEngine(const QByteArray& body) {
        const QString script = fakes_.filePath(QStringLiteral("brenta"));
        writeFile(script, "#!/bin/sh\n" + body + "\n");
        QFile(script).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                     QFileDevice::ExeOwner);
        window->setEnginePath(script);
        return script;
    }

    // A saved series system of two exponential elements of rate 0.01: mean life 50.
    QString savedSeriesSystem(const QString& name) {
        elementsIn(1, 2);
        element(1, 0, {"0.01"});
        element(2, 0, {"0.01"});
        if (!saveAs(name)) ADD_FAILURE() << "not saved";
        return window->document().currentFile;
    }

    // The number written on the line after a summary label (the record is full there).
    static double valueAfter(const QString& text, const QString& label) {
        const qsizetype at = text.indexOf(label);
        if (at < 0) return -1;
        const QString rest = text.mid(at + label.size()).trimmed();
        return rest.section(QRegularExpression(QStringLiteral("\\s+")), 0, 0).toDouble();
    }

    int graphWindows() const {
        int n = 0;
        for (QMdiSubWindow* w : window->mdiArea()->subWindowList())
            if (qobject_cast<farvik::frmgraficos*>(w->widget()) && w->isVisible()) ++n;
        return n;
    }
    bool viewerShown() const { return viewer() && window->viewerWindow()->isVisible(); }

    int consoleWindows() const {
        int n = 0;
        for (QMdiSubWindow* w : window->mdiArea()->subWindowList())
            if (qobject_cast<frmconsola*>(w->widget())) ++n;
        return n;
    }

    QTemporaryDir fakes_;
};

}  // namespace
