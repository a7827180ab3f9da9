// How a run's end reaches the user: the results that come back after a run that did not end
// well, results another run has replaced, an engine that dies, a folder held by another run,
// the console after a stop, and Ejecutar while a run goes on.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QThread>

#include "engine_run_fixture.h"
#include "results/frmprintres.h"
#include "shell/folder_hold.h"

namespace {

// A stand-in engine that answers one question and writes every result file.
const QByteArray kCompleteRun =
    "echo listo; read a\n"
    "for f in fallo.txt redun.TXT listasis.txt tablafia.txt; do printf 'x\\r\\n' > $f; done\n"
    "printf 'resumen %s\\r\\n' \"$1\" > resumen.TXT";
const QString kNotOwn = QStringLiteral(
    "Los resultados que hay en la carpeta no son los de este documento: han cambiado desde que "
    "terminó su ejecución.");

class RunEndTest : public EngineRunTest {
  public:
    // The summary through EditarR and the chooser, as the user reaches it.
    void chooseSummary() {
        window->toolbarButton(QStringLiteral("EditarR"))->trigger();
        auto* chooser = window->findChild<farvik::frmprintres*>();
        ASSERT_NE(chooser, nullptr);
        chooser->findChild<QRadioButton*>(QStringLiteral("Optprintres(0)"))->click();
        chooser->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QTest::qWait(0);
    }
    // A complete run whose summary is then closed: the document's own results in the folder.
    void completeRun() {
        fakeEngine(kCompleteRun);
        run({reply(QStringLiteral("listo"), QStringLiteral("1"))});
        ASSERT_TRUE(buttonOn("EditarR"));
        ASSERT_EQ(viewerText(), QStringLiteral("resumen SIS1\n"));
        viewer()->btdaceptar()->click();
        QTest::qWait(0);
    }
    QStringList folderEntries() const {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

// The earlier results come back byte for byte after Cancelar, after a run the engine ends
// with an error, and after a run stopped by Salir's question; they are the document's own
// as before the run: EditarR on, the summary shown from the chooser and printable.
TEST_F(RunEndTest, RestoredResultsCanBeViewedAndPrintedAsBeforeTheRun) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    window->setTextPrinter([](QWidget*, const QString&, const QString&) { return false; });
    completeRun();
    const QStringList entries = folderEntries();

    const std::vector<std::pair<const char*, std::function<void()>>> endings = {
        {"Cancelar",
         [&] {
             fakeEngine("echo listo; : > resumen.TXT; read a");
             run({{QStringLiteral("listo"),
                   [](EngineRunTest& t) { t.console()->btcancelar()->click(); }}});
         }},
        {"engine error",
         [&] {
             fakeEngine("echo listo; : > resumen.TXT; read a; echo 'brenta: error'; exit 30");
             run({reply(QStringLiteral("listo"), QStringLiteral("x"))});
         }},
        {"Salir, Aceptar, then No",
         [&] {
             fakeEngine("echo listo; : > resumen.TXT; read a");
             run({{QStringLiteral("listo"), [](EngineRunTest& t) {
                       t.dialogs.answerNext(MessageAnswer::Ok);
                       t.dialogs.answerNext(MessageAnswer::No);
                       t.window->salir();
                   }}});
         }},
    };
    for (const auto& [how, ending] : endings) {
        dialogs.clear();
        ending();
        EXPECT_EQ(programEnds, 0) << how;
        EXPECT_EQ(readFile(path(QStringLiteral("resumen.TXT"))), "resumen SIS1\r\n") << how;
        EXPECT_EQ(folderEntries(), entries) << how;
        EXPECT_TRUE(buttonOn("EditarR")) << how;
        EXPECT_TRUE(buttonOn("Ejecutar")) << how;
        chooseSummary();
        EXPECT_EQ(viewerText(), QStringLiteral("resumen SIS1\n")) << how;
        ASSERT_NE(viewer(), nullptr);
        EXPECT_TRUE(viewer()->btprint()->isEnabled()) << how;
        EXPECT_TRUE(buttonOn("Imprimir")) << how;
        viewer()->btdaceptar()->click();
        QTest::qWait(0);
    }

    // Results that were not the document's before the run are not after it either: an
    // opened document has none of its own.
    open(window->document().currentFile);
    ASSERT_FALSE(buttonOn("EditarR"));
    fakeEngine("echo listo; read a");
    run({{QStringLiteral("listo"), [](EngineRunTest& t) { t.console()->btcancelar()->click(); }}});
    EXPECT_FALSE(buttonOn("EditarR"));
}

// Another run in the folder (a second window, or brenta by hand) replaces the results after
// this document's run: farvik shows none of them under the document and says why.
TEST_F(RunEndTest, ResultsReplacedByAnotherRunAreNotShownAsTheDocuments) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    completeRun();
    writeFile(path(QStringLiteral("resumen.TXT")), "resumen de otro sistema\r\n");

    window->toolbarButton(QStringLiteral("EditarR"))->trigger();
    EXPECT_EQ(window->findChild<farvik::frmprintres*>(), nullptr) << "the chooser opened";
    EXPECT_EQ(dialogs.messageTexts(), QStringList{kNotOwn});
    EXPECT_EQ(dialogs.messages().first().icon, MessageIcon::Exclamation);
    EXPECT_FALSE(buttonOn("EditarR"));
    EXPECT_FALSE(viewerShown());
    EXPECT_EQ(readFile(path(QStringLiteral("resumen.TXT"))), "resumen de otro sistema\r\n");

    // The exact check of the document shows no simulated values from those files.
    dialogs.clear();
    completeRun();
    QThread::msleep(20);  // a later modification time, whatever the file system's clock
    writeFile(path(QStringLiteral("listasis.txt")), "x\r\n");
    window->showExactCheck();
    EXPECT_EQ(dialogs.messageTexts(), QStringList{kNotOwn});
    EXPECT_FALSE(buttonOn("EditarR"));

    // The chooser was already open when the files changed: what it was asked for is refused.
    dialogs.clear();
    completeRun();
    window->toolbarButton(QStringLiteral("EditarR"))->trigger();
    auto* chooser = window->findChild<farvik::frmprintres*>();
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("redun.TXT"))));
    chooser->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QTest::qWait(0);
    EXPECT_EQ(dialogs.messageTexts(), QStringList{kNotOwn});
    EXPECT_FALSE(viewerShown());

    // Another run takes the folder the moment this one ends, before farvik has read what it
    // left: nothing of it is shown as the document's.
    dialogs.clear();
    fakeEngine(
        "printf 'resumen\\r\\n' > resumen.TXT\n"
        "flock . sleep 1 < /dev/null > /dev/null 2>&1 &\n"
        "while flock -n . true; do :; done");
    run({});
    EXPECT_EQ(dialogs.messageTexts(), QStringList{kNotOwn});
    EXPECT_FALSE(viewerShown());
    EXPECT_FALSE(buttonOn("EditarR"));
    EXPECT_EQ(window->exactCheckWindow(), nullptr);
}

// An engine killed by a signal, or ending with a status it never gives, is said to have ended
// abnormally, in a warning box and in its console; the earlier results come back.
TEST_F(RunEndTest, AnEngineThatEndsAbnormallyIsSaidSo) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    writeFile(path(QStringLiteral("resumen.TXT")), "earlier summary");
    const std::vector<std::pair<QByteArray, QString>> ends = {
        {"kill -KILL $$", QStringLiteral("El motor terminó de forma anormal (señal 9)")},
        {"kill -SEGV $$", QStringLiteral("El motor terminó de forma anormal (señal 11)")},
        {"exit 255", QStringLiteral("El motor terminó de forma anormal (estado 255)")},
        {"exit 3", QStringLiteral("El motor terminó de forma anormal (estado 3)")},
    };
    for (const auto& [body, said] : ends) {
        dialogs.clear();
        fakeEngine("echo listo; : > resumen.TXT; " + body);
        run({});
        ASSERT_EQ(dialogs.messages().size(), 1) << body.toStdString();
        EXPECT_EQ(dialogs.messages().first().text, kNotRun + QStringLiteral("\n\n") + said);
        EXPECT_EQ(dialogs.messages().first().icon, MessageIcon::Exclamation);
        EXPECT_TRUE(dialogs.messages().first().title.isEmpty());
        EXPECT_TRUE(consoleText().endsWith(said + QLatin1Char('\n')))
            << consoleText().toStdString();
        EXPECT_FALSE(buttonOn("EditarR"));
        EXPECT_EQ(readFile(path(QStringLiteral("resumen.TXT"))), "earlier summary");
    }
}

// The engine finds the folder held by another run and touches nothing: a box says so, the
// document stays as it was, and the other run's files are left as that run wrote them.
TEST_F(RunEndTest, AFolderHeldByAnotherRunIsSaidSoAndItsFilesAreLeftAlone) {
    const QString dataFile = savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    writeFile(path(QStringLiteral("resumen.TXT")), "earlier summary");
    writeFile(path(QStringLiteral("fallo.txt")), "earlier failures");
    // Meanwhile the other run has made its summary anew; the engine itself writes nothing.
    fakeEngine(
        "printf 'otra ejecucion\\r\\n' > resumen.TXT\n"
        "echo 'brenta: la carpeta la usa otra ejecucion' >&2; exit 42");
    run({});
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().first().icon, MessageIcon::Exclamation);
    EXPECT_TRUE(dialogs.messages().first().text.startsWith(
        QStringLiteral("Otra ejecución del motor está usando la carpeta ")))
        << dialogs.messages().first().text.toStdString();
    EXPECT_TRUE(consoleText().contains(QStringLiteral("la usa otra ejecucion")));
    EXPECT_EQ(readFile(path(QStringLiteral("resumen.TXT"))), "otra ejecucion\r\n");
    EXPECT_EQ(readFile(path(QStringLiteral("fallo.txt"))), "earlier failures");
    EXPECT_EQ(window->document().currentFile, dataFile);
    EXPECT_FALSE(window->document().modified);
    EXPECT_FALSE(buttonOn("EditarR"));
    EXPECT_FALSE(viewerShown());

    // Held already when Ejecutar is pressed: no engine starts, and nothing of the folder is
    // touched.
    dialogs.clear();
    const QString started = path(QStringLiteral("arrancado"));
    fakeEngine("touch '" + started.toUtf8() + "'");
    const QStringList entries = folderEntries();
    {
        farvik::FolderHold otherRun(folder.path());
        ASSERT_FALSE(otherRun.heldElsewhere());
        run({});
    }
    EXPECT_FALSE(QFileInfo::exists(started));
    EXPECT_EQ(folderEntries(), entries);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().text.startsWith(
        QStringLiteral("Otra ejecución del motor está usando la carpeta ")));
    EXPECT_TRUE(consoleText().startsWith(QStringLiteral("Otra ejecución está usando la carpeta ")))
        << consoleText().toStdString();
    EXPECT_EQ(readFile(path(QStringLiteral("fallo.txt"))), "earlier failures");
    EXPECT_EQ(window->document().currentFile, dataFile);
    EXPECT_TRUE(buttonOn("Ejecutar"));

    // Let go, the folder runs again.
    run({});
    EXPECT_TRUE(QFileInfo::exists(started));

    // A run that fails while another takes the folder the moment it ends: the earlier
    // results come back only where the other run has written nothing, and nothing of the
    // other run is removed.
    dialogs.clear();
    writeFile(path(QStringLiteral("fallo.txt")), "earlier failures");
    writeFile(path(QStringLiteral("resumen.TXT")), "earlier summary");
    fakeEngine(
        ": > resumen.TXT\n"
        "flock . sh -c 'printf otra > resumen.TXT; touch otra; sleep 1' < /dev/null "
        "> /dev/null 2>&1 &\n"
        "while [ ! -e otra ]; do :; done\n"
        "exit 30");
    run({});
    EXPECT_EQ(readFile(path(QStringLiteral("resumen.TXT"))), "otra");
    EXPECT_EQ(readFile(path(QStringLiteral("fallo.txt"))), "earlier failures");
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

// The real engine: a run by hand holds the folder against farvik, and farvik's run holds it
// against one by hand; neither touches the other's files, and farvik's results are its own.
TEST_F(RunEndTest, ARunByHandAndARunFromFarvikNeverShareTheFolder) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    const auto byHand = [&](QProcess& brenta) {
        brenta.setProgram(QStringLiteral(FARVIK_BIN_DIR) + QStringLiteral("/brenta"));
        brenta.setArguments({QStringLiteral("SIS1")});
        brenta.setWorkingDirectory(folder.path());
        brenta.setProcessChannelMode(QProcess::MergedChannels);
        brenta.start();
    };
    QProcess first;
    byHand(first);
    QByteArray said;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return (said += first.readAll()).contains(kFirstQuestion.toUtf8()); }, 10000));
    run({});
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().text.startsWith(
        QStringLiteral("Otra ejecución del motor está usando la carpeta ")));
    first.write("2\n");
    ASSERT_TRUE(first.waitForFinished(30000));
    EXPECT_EQ(first.exitCode(), 0);
    const QByteArray summaryByHand = readFile(path(QStringLiteral("resumen.TXT")));
    EXPECT_TRUE(summaryByHand.contains("1000  simulaciones"));

    dialogs.clear();
    int secondStatus = -1;
    QByteArray secondSaid;
    run({{kFirstQuestion,
          [&](EngineRunTest& t) {
              QProcess second;
              byHand(second);
              EXPECT_TRUE(second.waitForFinished(30000));
              secondStatus = second.exitCode();
              secondSaid = second.readAll();
              t.answer(QStringLiteral("1"));
          }},
         reply(QStringLiteral("Cuantos valores?"), QStringLiteral("1")),
         reply(QStringLiteral("introduce el valor"), QStringLiteral("40"))});
    EXPECT_EQ(secondStatus, 42) << secondSaid.toStdString();
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messageTexts().join('|').toStdString();
    EXPECT_TRUE(buttonOn("EditarR"));
    EXPECT_TRUE(viewerText().contains(QStringLiteral("LA PROBABILIDAD")));
    EXPECT_NE(readFile(path(QStringLiteral("resumen.TXT"))), summaryByHand);
}

// Stopped by Salir's question, the run's console stops its progress line where the run was
// and says it is stopped, while the next question is open and after it.
TEST_F(RunEndTest, TheProgressLineOfAStoppedRunSaysSo) {
    fakeEngine(
        "echo listo; read a\n"
        "yes '    1.000000000E+01' | head -n 250 | sed 's/$/\\r/' > listasis.txt\n"
        "echo cuarto; read a");
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    QString lineDuringTheQuestion;
    run({reply(QStringLiteral("listo"), QStringLiteral("1")),
         {QStringLiteral("cuarto"), [&](EngineRunTest& t) {
              ASSERT_TRUE(QTest::qWaitFor(
                  [&] { return t.console()->lbprogreso()->text().contains("Queda"); }, 5000));
              t.dialogs.answerNext(MessageAnswer::Ok);
              // Stopped, then asked "Estás seguro que deseas abandonar el programa".
              t.dialogs.whileNextIsOpen([&] {
                  t.dialogs.whileNextIsOpen([&] {
                      QTest::qWait(600);  // more than one update of the progress line
                      lineDuringTheQuestion =
                          t.console() ? t.console()->lbprogreso()->text() : QString();
                  });
              });
              t.dialogs.answerNext(MessageAnswer::No);
              t.window->salir();
          }}});
    const QRegularExpression stopped(
        QStringLiteral("^Pruebas: 250 de 1000   Tiempo: [0-9.]+ s   Ejecución detenida$"));
    EXPECT_TRUE(stopped.match(lineDuringTheQuestion).hasMatch())
        << lineDuringTheQuestion.toStdString();
    ASSERT_NE(console(), nullptr);
    EXPECT_EQ(console()->lbprogreso()->text(), lineDuringTheQuestion);
    EXPECT_EQ(console()->barprogreso()->value(), 250);
    EXPECT_EQ(console()->btcancelar()->text(), QStringLiteral("&Cerrar"));
    EXPECT_FALSE(window->engineRunning());
}

// Ejecutar is off while a run goes on, and back on once its end is taken.
TEST_F(RunEndTest, EjecutarIsOffWhileARunGoesOn) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    fakeEngine("echo listo; read a; exit 11");
    ASSERT_TRUE(buttonOn("Ejecutar"));
    bool onDuringTheRun = true, onAfterAnEdit = true;
    run({{QStringLiteral("listo"), [&](EngineRunTest& t) {
              onDuringTheRun = t.buttonOn("Ejecutar");
              // An edit and a save refresh the toolbar from the document: still off.
              t.seedUp(1);
              t.window->save();
              onAfterAnEdit = t.buttonOn("Ejecutar");
              t.answer(QStringLiteral("1"));
          }}});
    EXPECT_FALSE(onDuringTheRun);
    EXPECT_FALSE(onAfterAnEdit);
    EXPECT_TRUE(buttonOn("Ejecutar"));
    EXPECT_FALSE(buttonOn("EditarR"));
}

}  // namespace
