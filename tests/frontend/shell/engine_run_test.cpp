// Ejecutar: the real engine run from farvik with its console answered, fake engines for the
// ways a run can end, "Cancelar", and the viewer of data and results.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <functional>

#include "document_fixture.h"
#include "engine_run_fixture.h"
#include "full_disk.h"
#include "read_only_folder.h"
#include "results/frmcomprobacion.h"
#include "results/frmgraficos.h"
#include "results/frmprintres.h"
#include "shell/frmconsola.h"
#include "shell/frmedit.h"

namespace {

TEST_F(EngineRunTest, TheRealEngineRunsFromFarvikAndItsSummaryIsShown) {
    // Blanks, an accent and shell characters in the folder; no shell is involved.
    const QString dir = path(QStringLiteral("mis datos; $(rm -rf x) ñ"));
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString dataFile = savedSeriesSystem(dir + QStringLiteral("/mi sistema.dat"));
    EXPECT_EQ(window->enginePath(), QStringLiteral(FARVIK_BIN_DIR) + QStringLiteral("/brenta"));

    QString askedForTimes;
    run({reply(kFirstQuestion, "1"),
         reply(QStringLiteral("Cuantos valores?"), "1"),
         {QStringLiteral("introduce el valor"), [&](EngineRunTest& t) {
              askedForTimes = t.consoleText();
              // The windows stay usable while the engine waits: the data file can be shown.
              t.window->editar(0);
              t.answer(QStringLiteral("40"));
          }}});

    EXPECT_TRUE(askedForTimes.contains(QStringLiteral("quiere calcular algun valor")));
    EXPECT_TRUE(askedForTimes.contains(QStringLiteral("\tCuantos valores?")));
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messageTexts().join('|').toStdString();
    EXPECT_TRUE(buttonOn("EditarR"));
    // The console stays behind the summary, saying how long the run took.
    EXPECT_EQ(consoleWindows(), 1);
    ASSERT_NE(console(), nullptr);
    EXPECT_TRUE(console()->lbprogreso()->text().startsWith(QStringLiteral("Tiempo de ejecución: ")))
        << console()->lbprogreso()->text().toStdString();
    EXPECT_EQ(console()->barprogreso()->value(), console()->barprogreso()->maximum());
    EXPECT_EQ(window->mdiArea()->activeSubWindow(), window->viewerWindow());
    EXPECT_TRUE(QFileInfo::exists(dir + QStringLiteral("/resumen.TXT")));
    EXPECT_TRUE(QFileInfo::exists(dir + QStringLiteral("/tablafia.txt")));
    EXPECT_EQ(readFile(dataFile).left(5), QByteArray("N\xDAMER"));

    ASSERT_NE(viewer(), nullptr);
    const QString summary = viewerText();
    EXPECT_TRUE(
        summary.contains(QStringLiteral("        1000  simulaciones de un  sistema en serie")))
        << summary.toStdString();
    // Two exponential elements of rate 0.01 in series: a mean life of 50 and a standard
    // error near 50 / sqrt(1000) = 1.58.
    const double life = valueAfter(summary, kSummaryLife);
    EXPECT_NEAR(life, 50.0, 8.0) << summary.toStdString();
    EXPECT_NEAR(valueAfter(summary, QStringLiteral("error estandar =")), 1.58, 0.3);
    // The reliability at 40 is exp(-0.8) = 0.45.
    EXPECT_NEAR(valueAfter(summary, QStringLiteral("         ES")), 0.449, 0.05);

    // A second run shows its own summary.
    run({reply(kFirstQuestion, "2")});
    EXPECT_FALSE(viewerText().contains(QStringLiteral("LA PROBABILIDAD")));
    EXPECT_TRUE(viewerText().contains(kSummaryLife));
    EXPECT_TRUE(buttonOn("EditarR"));
}

// A stand-in engine that writes its listing a quarter at a time, waiting for a line between
// quarters: the console shows the trials done of the data file's 1000, the bar, the time
// spent and the time left, and at the end how long the run took.
TEST_F(EngineRunTest, TheConsoleShowsHowFarTheRunIs) {
    fakeEngine(
        "quarter() { yes '    1.000000000E+01' | head -n 250 | sed 's/$/\r/' >> listasis.txt; }\n"
        "echo listo; read a\n"
        "quarter; echo cuarto; read a\n"
        "quarter; quarter; quarter; echo todo; read a\n"
        "echo 'VIDA MEDIA' > resumen.TXT");
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    const auto shows = [](EngineRunTest& t, int barValue, const QString& trials) {
        const bool seen = QTest::qWaitFor(
            [&] {
                return t.console()->barprogreso()->value() == barValue &&
                       t.console()->lbprogreso()->text().startsWith(trials);
            },
            5000);
        EXPECT_TRUE(seen) << t.console()->barprogreso()->value() << " "
                          << t.console()->lbprogreso()->text().toStdString();
    };
    QString quarterLine, wholeLine;
    run({{QStringLiteral("listo"),
          [&](EngineRunTest& t) {
              shows(t, 0, QStringLiteral("Pruebas: 0 de 1000   Tiempo: "));
              t.answer(QStringLiteral("1"));
          }},
         {QStringLiteral("cuarto"),
          [&](EngineRunTest& t) {
              shows(t, 250, QStringLiteral("Pruebas: 250 de 1000   Tiempo: "));
              quarterLine = t.console()->lbprogreso()->text();
              t.answer(QStringLiteral("1"));
          }},
         {QStringLiteral("todo"), [&](EngineRunTest& t) {
              shows(t, 1000, QStringLiteral("Pruebas: 1000 de 1000   Tiempo: "));
              wholeLine = t.console()->lbprogreso()->text();
              t.answer(QStringLiteral("1"));
          }}});
    EXPECT_TRUE(quarterLine.contains(QStringLiteral("   Queda: "))) << quarterLine.toStdString();
    EXPECT_TRUE(wholeLine.endsWith(QStringLiteral("   Queda: 0.0 s"))) << wholeLine.toStdString();
    ASSERT_NE(console(), nullptr);
    EXPECT_TRUE(
        console()->lbprogreso()->text().startsWith(QStringLiteral("Tiempo de ejecución: ")));
    EXPECT_EQ(console()->btcancelar()->text(), QStringLiteral("&Cerrar"));
    // The engine's own words are in the console as it wrote them, nothing added.
    EXPECT_EQ(consoleText(), QStringLiteral("listo\n1\ncuarto\n1\ntodo\n1\n"));
    EXPECT_EQ(viewerText(), QStringLiteral("VIDA MEDIA\n"));
}

TEST_F(EngineRunTest, EditarROffersTheResultsOfTheRun) {
    auto chooser = [this] { return window->findChild<farvik::frmprintres*>(); };
    auto choose = [&](int option) {
        chooser()->findChild<QRadioButton*>(QStringLiteral("Optprintres(%1)").arg(option))->click();
        chooser()->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QTest::qWait(0);
    };
    auto redundancyOffered = [&] {
        return chooser()->findChild<QRadioButton*>(QStringLiteral("Optprintres(2)"))->isEnabled();
    };

    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    run({reply(kFirstQuestion, "2")});
    ASSERT_TRUE(buttonOn("EditarR"));
    window->editar(1);
    ASSERT_NE(chooser(), nullptr);
    EXPECT_EQ(chooser()->windowTitle(), QStringLiteral("Archivos de Resultados"));
    EXPECT_FALSE(redundancyOffered()) << "the editor says No to the redundancy study";
    choose(1);
    EXPECT_EQ(chooser(), nullptr) << "the chooser closes itself";
    EXPECT_TRUE(viewerText().contains(QStringLiteral("TIEMPOS HASTA EL FALLO")));

    window->editar(1);
    choose(3);
    EXPECT_EQ(graphWindows(), 1);
    // Chosen again, the graphs replace the window that shows them.
    window->editar(1);
    choose(3);
    EXPECT_EQ(graphWindows(), 1);

    redundancy(true);
    ASSERT_TRUE(saveAs(path(QStringLiteral("sis2.dat"))));
    run({reply(kFirstQuestion, "2")});
    window->editar(1);
    EXPECT_TRUE(redundancyOffered());
    choose(2);
    EXPECT_TRUE(viewerText().contains(QStringLiteral("prueb.")));
}

// After a complete run the exact check of that very run opens behind its summary, which stays
// in front as after every run; the run's graphs can draw the exact curves of its data file.
TEST_F(EngineRunTest, TheExactCheckOfARunOpensBehindItsSummary) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    run({reply(kFirstQuestion, "2")});
    ASSERT_TRUE(viewerShown());
    EXPECT_EQ(window->mdiArea()->activeSubWindow(), window->viewerWindow());
    ASSERT_NE(window->exactCheckWindow(), nullptr);
    auto* check = qobject_cast<farvik::frmcomprobacion*>(window->exactCheckWindow()->widget());
    ASSERT_NE(check, nullptr);
    if (check->computing()) {
        QSignalSpy done(check, &farvik::frmcomprobacion::finished);
        ASSERT_TRUE(done.wait(30000));
    }
    ASSERT_EQ(check->table().rows.size(), 1);
    const auto& life = check->table().rows[0];
    EXPECT_EQ(life.cells[0], QStringLiteral("Vida media"));
    EXPECT_NEAR(life.exportCells[1].toDouble(), valueAfter(viewerText(), kSummaryLife), 1e-4);
    EXPECT_NEAR(life.exportCells[2].toDouble(), 50, 1e-10);
    EXPECT_TRUE(dialogs.messages().isEmpty());

    window->editar(1);
    auto* chooser = window->findChild<farvik::frmprintres*>();
    ASSERT_NE(chooser, nullptr);
    chooser->findChild<QRadioButton*>(QStringLiteral("Optprintres(3)"))->click();
    chooser->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QTest::qWait(0);
    farvik::frmgraficos* graphs = nullptr;
    for (QMdiSubWindow* w : window->mdiArea()->subWindowList())
        if (auto* g = qobject_cast<farvik::frmgraficos*>(w->widget())) graphs = g;
    ASSERT_NE(graphs, nullptr);
    EXPECT_TRUE(graphs->chkexacta()->isEnabled());
    EXPECT_FALSE(graphs->chkexacta()->isChecked());

    // A run whose document changed meanwhile has no results of the document: no check.
    run({{kFirstQuestion, [&](EngineRunTest& t) {
              t.element(1, 0, {"0.02"});
              t.answer(QStringLiteral("2"));
          }}});
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->exactCheckWindow(), nullptr);
}

// The viewer and the graphs show the results of one run of one document: a new run, a new
// document or an opened one closes them rather than leave earlier results in view.
TEST_F(EngineRunTest, ResultWindowsCloseWhenTheirResultsAreReplaced) {
    auto showResults = [&] {
        run({reply(kFirstQuestion, "2")});
        ASSERT_TRUE(viewerShown());
        farvik::openGraphs(*window->mdiArea(), folder.path());
        ASSERT_EQ(graphWindows(), 1);
    };
    const QString dataFile = savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    showResults();
    bool shownDuringTheRun = true;
    int graphsDuringTheRun = -1;
    run({{kFirstQuestion, [&](EngineRunTest& t) {
              shownDuringTheRun = t.viewerShown();
              graphsDuringTheRun = t.graphWindows();
              t.answer(QStringLiteral("dos"));
          }}});
    EXPECT_FALSE(shownDuringTheRun);
    EXPECT_EQ(graphsDuringTheRun, 0);

    showResults();
    ASSERT_TRUE(window->newCommand());
    EXPECT_FALSE(viewerShown());
    EXPECT_EQ(graphWindows(), 0);

    auto open = [&] {
        dialogs.chooseFile(dataFile);
        window->openCommand();
        ASSERT_EQ(window->document().currentFile, dataFile);
    };
    open();
    showResults();
    open();
    EXPECT_FALSE(viewerShown());
    EXPECT_EQ(graphWindows(), 0);
}

// A file that is no data file (opened from "Todos los archivos") is not run: the engine
// would run <NAME>.DAT, some other system or none.
TEST_F(EngineRunTest, OnlyDataFilesAreRun) {
    const QString dataFile = savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    const QString other = path(QStringLiteral("SIS1.TXT"));
    ASSERT_TRUE(QFile::copy(dataFile, other));
    dialogs.chooseFile(other);
    window->openCommand();
    ASSERT_EQ(window->document().currentFile, other);
    window->ejecutar();
    EXPECT_EQ(
        dialogs.messageTexts(),
        QStringList{QStringLiteral("Sólo se pueden ejecutar ficheros con la extensión .DAT")});
    EXPECT_EQ(consoleWindows(), 0);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("resumen.TXT"))));
}

TEST_F(EngineRunTest, TheEngineGetsTheBaseNameAndRunsInTheDataFolder) {
    const QString record = fakes_.filePath(QStringLiteral("args.txt"));
    fakeEngine("{ echo $#; for a in \"$@\"; do echo \"[$a]\"; done; pwd; } > '" + record.toUtf8() +
               "'\nexit 11");
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    run({});
    EXPECT_EQ(readFile(record),
              "1\n[SIS1]\n" + QDir(folder.path()).canonicalPath().toUtf8() + "\n");
    // An error of the engine's own: no message, EditarR stays off, the console stays open.
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_FALSE(buttonOn("EditarR"));
    EXPECT_EQ(consoleWindows(), 1);
}

TEST_F(EngineRunTest, AnEngineErrorStaysInTheConsole) {
    // A sound document whose file is gone by the time Ejecutar is pressed: the editor's
    // checks pass and only the engine can find out.
    const QString dataFile = savedSeriesSystem(path(QStringLiteral("perdido.dat")));
    ASSERT_TRUE(QFile::remove(dataFile));
    run({});
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_FALSE(buttonOn("EditarR"));
    ASSERT_NE(console(), nullptr);
    EXPECT_TRUE(consoleText().contains(QStringLiteral("brenta: "))) << consoleText().toStdString();
    EXPECT_TRUE(consoleText().contains(QStringLiteral("no se puede abrir el fichero de datos")))
        << consoleText().toStdString();
    EXPECT_TRUE(consoleText().contains(QStringLiteral("PERDIDO.DAT")));
    EXPECT_FALSE(console()->txtentrada()->isEnabled());
    EXPECT_EQ(console()->btcancelar()->text(), QStringLiteral("&Cerrar"));
    EXPECT_EQ(viewer(), nullptr);
    console()->btcancelar()->click();
    QTest::qWait(0);
    EXPECT_EQ(consoleWindows(), 0);
}

// A value the engine would refuse (a fresh element's failure rate is 0): one box names it,
// and neither the engine nor the results of the run before are touched.
TEST_F(EngineRunTest, AValueTheEngineWouldRefuseIsNamedAndNothingRuns) {
    const QString record = fakes_.filePath(QStringLiteral("started.txt"));
    fakeEngine("touch '" + record.toUtf8() + "'");
    writeFile(path(QStringLiteral("resumen.TXT")), "earlier summary");
    ASSERT_TRUE(saveAs(path(QStringLiteral("cero.dat"))));
    run({});
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().first().icon, MessageIcon::Exclamation);
    EXPECT_TRUE(dialogs.messages().first().text.contains(
        QStringLiteral("parámetro 1 del elemento 1-1: la tasa de fallo debe ser mayor que 0")))
        << dialogs.messages().first().text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(record));
    EXPECT_EQ(consoleWindows(), 0);
    EXPECT_FALSE(buttonOn("EditarR"));
    EXPECT_EQ(readFile(path(QStringLiteral("resumen.TXT"))), "earlier summary");
}

TEST_F(EngineRunTest, AnEngineThatCannotStartShowsNoMessage) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    window->setEnginePath(path(QStringLiteral("no hay/brenta")));
    run({});
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_FALSE(buttonOn("EditarR"));
    EXPECT_TRUE(consoleText().contains(QStringLiteral("No se ha podido iniciar")));
}

// An answer typed into the console that is not the number asked for: the engine says so
// there and stops; nothing else is shown.
TEST_F(EngineRunTest, ABadAnswerInTheConsoleEndsTheRunWithTheEnginesWord) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    writeFile(path(QStringLiteral("resumen.TXT")), "earlier summary");
    run({reply(kFirstQuestion, QStringLiteral("dos"))});
    EXPECT_TRUE(consoleText().contains(QStringLiteral(
        "brenta: respuesta no válida en la consola: se esperaba la respuesta 1 o 2")))
        << consoleText().toStdString();
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(viewer(), nullptr);
    // A failed run empties nothing: the earlier results are back, and only they.
    EXPECT_EQ(readFile(path(QStringLiteral("resumen.TXT"))), "earlier summary");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"resumen.TXT", "SIS1.DAT"}));
    EXPECT_FALSE(buttonOn("EditarR"));
    ASSERT_NE(console(), nullptr);
    EXPECT_EQ(console()->btcancelar()->text(), QStringLiteral("&Cerrar"));
}

// The engine cannot write its results, in a folder the user may not write into or on a disk
// that fills up: what it says stays in the console, and there are no results to show.
TEST_F(EngineRunTest, ResultsThatCannotBeWrittenAreReportedInTheConsole) {
    const QString dir = path(QStringLiteral("solo lectura"));
    ASSERT_TRUE(QDir(folder.path()).mkpath(dir));
    savedSeriesSystem(dir + QStringLiteral("/sis1.dat"));
    {
        ReadOnlyFolder readOnly(dir.toStdString());
        ASSERT_TRUE(readOnly.valid());
        run({});
    }
    EXPECT_TRUE(consoleText().contains(
        QStringLiteral("brenta: no se puede crear el fichero de resultados")))
        << consoleText().toStdString();
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(viewer(), nullptr);
    EXPECT_FALSE(buttonOn("EditarR"));

    {
        FullDisk full;
        run({reply(kFirstQuestion, QStringLiteral("2"))});
    }
    EXPECT_TRUE(consoleText().contains(
        QStringLiteral("brenta: no se puede escribir en el fichero de resultados")))
        << consoleText().toStdString();
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(viewer(), nullptr);
    EXPECT_FALSE(buttonOn("EditarR"));
}

TEST_F(EngineRunTest, ResultsAreFoundWhateverTheirLetterCase) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    fakeEngine("printf 'VIDA MEDIA ESTIMACI\\323N\\r\\n' > RESUMEN.txt");
    run({});
    EXPECT_TRUE(buttonOn("EditarR"));
    EXPECT_EQ(viewerText(), QStringLiteral("VIDA MEDIA ESTIMACIÓN\n"));
}

TEST_F(EngineRunTest, CancelarStopsTheRunAndLeavesEverythingAsItWas) {
    const QString dataFile = savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    writeFile(path(QStringLiteral("resumen.TXT")), "earlier summary");
    writeFile(path(QStringLiteral("TABLAFIA.TXT")), "earlier table");
    const QByteArray data = readFile(dataFile);

    int consolesDuringTheRun = 0;
    run({{kFirstQuestion, [&](EngineRunTest& t) {
              // A second Ejecutar while the engine runs starts no second engine.
              t.window->ejecutar();
              consolesDuringTheRun = t.consoleWindows();
              EXPECT_EQ(t.console()->btcancelar()->text(), QStringLiteral("Cancelar"));
              t.console()->btcancelar()->click();
          }}});

    EXPECT_EQ(consolesDuringTheRun, 1);
    EXPECT_FALSE(window->engineRunning());
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_FALSE(buttonOn("EditarR"));
    EXPECT_EQ(consoleWindows(), 0);
    EXPECT_EQ(readFile(path(QStringLiteral("resumen.TXT"))), "earlier summary");
    EXPECT_EQ(readFile(path(QStringLiteral("TABLAFIA.TXT"))), "earlier table");
    EXPECT_EQ(readFile(dataFile), data);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"resumen.TXT", "SIS1.DAT", "TABLAFIA.TXT"}));
    EXPECT_EQ(window->document().currentFile, dataFile);
    EXPECT_FALSE(window->document().modified);

    // Closing the console stops the engine just as well.
    run({{kFirstQuestion, [](EngineRunTest& t) { t.window->consoleWindow()->close(); }}});
    EXPECT_FALSE(window->engineRunning());
    EXPECT_EQ(readFile(path(QStringLiteral("resumen.TXT"))), "earlier summary");
}

TEST_F(EngineRunTest, ClosingTheMainWindowStopsTheEngine) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    writeFile(path(QStringLiteral("resumen.TXT")), "earlier summary");
    run({{kFirstQuestion, [](EngineRunTest& t) { t.window->close(); }}});  // answered Aceptar
    EXPECT_EQ(programEnds, 1);
    EXPECT_FALSE(window->engineRunning());
    EXPECT_EQ(readFile(path(QStringLiteral("resumen.TXT"))), "earlier summary");
    EXPECT_EQ(dialogs.messageTexts(), QStringList{kStopSis1});
}

// While the engine runs, Nuevo and Abrir first ask whether to stop it. Cancelar keeps the
// run and the document; Aceptar stops the run (the earlier results come back) before the
// command goes on, and nothing of that run is shown over the next document.
TEST_F(EngineRunTest, NewAndOpenDuringARunAskFirstWhetherToStopIt) {
    fakeEngine("echo listo; read a; printf 'resumen\\r\\n' > resumen.TXT");
    const QString dataFile = savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    dialogs.clear();
    bool kept = false;
    run({{QStringLiteral("listo"), [&](EngineRunTest& t) {
              t.dialogs.answerNext(MessageAnswer::Cancel);
              EXPECT_FALSE(t.window->newCommand());
              t.dialogs.answerNext(MessageAnswer::Cancel);
              t.dialogs.chooseFile(dataFile);
              t.window->openCommand();
              kept = t.window->engineRunning() && t.console() != nullptr;
              t.answer(QStringLiteral("1"));
          }}});
    EXPECT_TRUE(kept);
    ASSERT_EQ(dialogs.messageTexts(), QStringList({kStopSis1, kStopSis1}));
    EXPECT_EQ(dialogs.messages().first().buttons, MessageButtons::OkCancel);
    EXPECT_EQ(dialogs.messages().first().icon, MessageIcon::Question);
    EXPECT_TRUE(dialogs.fileRequests().isEmpty()) << "Abrir went on to its dialog";
    EXPECT_EQ(window->document().currentFile, dataFile);
    EXPECT_EQ(viewerText(), QStringLiteral("resumen\n"));
    EXPECT_TRUE(buttonOn("EditarR"));

    dialogs.clear();
    bool stoppedAtOnce = false;
    run({{QStringLiteral("listo"), [&](EngineRunTest& t) {
              t.dialogs.answerNext(MessageAnswer::Ok);
              EXPECT_TRUE(t.window->newCommand());
              stoppedAtOnce = !t.window->engineRunning();
          }}});
    QTest::qWait(0);
    EXPECT_TRUE(stoppedAtOnce);
    EXPECT_EQ(dialogs.messageTexts(), QStringList{kStopSis1});
    EXPECT_TRUE(window->document().currentFile.isEmpty());
    EXPECT_FALSE(viewerShown());
    EXPECT_EQ(consoleWindows(), 0);
    EXPECT_FALSE(buttonOn("EditarR"));
    EXPECT_EQ(readFile(path(QStringLiteral("resumen.TXT"))), "resumen\r\n");

    // A modified document: the run is stopped first, then the save question as ever.
    open(dataFile);
    dialogs.clear();
    run({{QStringLiteral("listo"), [&](EngineRunTest& t) {
              t.seedUp(1);
              t.dialogs.answerNext(MessageAnswer::Ok);
              t.dialogs.answerNext(MessageAnswer::No);
              t.dialogs.chooseFile(dataFile);
              t.window->openCommand();
          }}});
    QTest::qWait(0);
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList({kStopSis1, QStringLiteral("El archivo de datos ha cambiado. ¿Deseas "
                                                     "guardar los cambios?")}));
    EXPECT_EQ(window->document().currentFile, dataFile);
    EXPECT_FALSE(window->document().modified);
    EXPECT_FALSE(viewerShown());
    EXPECT_EQ(consoleWindows(), 0);
    EXPECT_FALSE(window->engineRunning());
}

// The engine may end while the question is open. Whatever its end, once the next document
// has begun nothing of that run is shown over it: no summary, no console, no message.
TEST_F(EngineRunTest, ARunEndingWhileNewAsksLeavesNothingOverTheNewDocument) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    for (const QByteArray& end :
         {QByteArray("printf 'resumen\\r\\n' > resumen.TXT"),
          QByteArray("echo 'brenta: error'; exit 3"), QByteArray("exit 255")}) {
        fakeEngine("echo listo; read a; " + end);
        open(path(QStringLiteral("SIS1.DAT")));
        dialogs.clear();
        run({{QStringLiteral("listo"), [](EngineRunTest& t) {
                  t.answer(QStringLiteral("1"));
                  t.dialogs.whileNextIsOpen([&t] {
                      EXPECT_TRUE(QTest::qWaitFor([&] { return !t.window->engineRunning(); }));
                  });
                  t.dialogs.answerNext(MessageAnswer::Ok);
                  t.window->newCommand();
              }}});
        QTest::qWait(0);
        EXPECT_EQ(dialogs.messageTexts(), QStringList{kStopSis1}) << end.toStdString();
        EXPECT_TRUE(window->document().currentFile.isEmpty());
        EXPECT_FALSE(viewerShown()) << end.toStdString();
        EXPECT_EQ(consoleWindows(), 0) << end.toStdString();
        EXPECT_FALSE(buttonOn("EditarR"));
    }
}

// Salir and the window's close control ask the same; Cancelar keeps farvik and the run.
TEST_F(EngineRunTest, LeavingDuringARunAsksFirstWhetherToStopIt) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    writeFile(path(QStringLiteral("resumen.TXT")), "earlier summary");
    bool kept = false;
    run({{kFirstQuestion, [&](EngineRunTest& t) {
              t.dialogs.answerNext(MessageAnswer::Cancel);
              t.window->salir();
              t.dialogs.answerNext(MessageAnswer::Cancel);
              t.window->close();
              kept = t.programEnds == 0 && t.window->isVisible() && t.window->engineRunning();
              t.dialogs.answerNext(MessageAnswer::Ok);
              t.dialogs.answerNext(MessageAnswer::Yes);
              t.window->salir();
          }}});
    EXPECT_TRUE(kept);
    EXPECT_EQ(programEnds, 1);
    EXPECT_FALSE(window->engineRunning());
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList({kStopSis1, kStopSis1, kStopSis1,
                           QStringLiteral("Estás seguro que deseas abandonar el programa")}));
    EXPECT_EQ(readFile(path(QStringLiteral("resumen.TXT"))), "earlier summary");
}

// The console of a run that has ended belongs to its document: an engine error stays in
// view over that document only, and a complete run's console closes with the results.
TEST_F(EngineRunTest, TheConsoleOfAnEndedRunClosesWithItsDocument) {
    // The file is gone by the time of the run: only the engine can find out.
    const QString lost = savedSeriesSystem(path(QStringLiteral("perdido.dat")));
    ASSERT_TRUE(QFile::remove(lost));
    run({});
    ASSERT_EQ(consoleWindows(), 1);
    ASSERT_TRUE(consoleText().contains(QStringLiteral("brenta: ")));
    ASSERT_TRUE(window->newCommand());
    QTest::qWait(0);
    EXPECT_EQ(consoleWindows(), 0);
    EXPECT_TRUE(dialogs.messages().isEmpty()) << "an ended run needs no stopping";

    const QString dataFile = savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    run({reply(kFirstQuestion, "2")});
    ASSERT_EQ(consoleWindows(), 1);
    ASSERT_TRUE(viewerShown());
    open(dataFile);
    QTest::qWait(0);
    EXPECT_EQ(consoleWindows(), 0);
    EXPECT_FALSE(viewerShown());
}

TEST_F(EngineRunTest, ResultsOfAFileChangedDuringTheRunLeaveEditarROff) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    fakeEngine("echo listo; read answer; printf 'resumen\\r\\n' > resumen.TXT");
    run({{QStringLiteral("listo"), [](EngineRunTest& t) {
              t.seedUp(1);  // an edit while the engine runs
              t.answer(QStringLiteral("1"));
          }}});
    EXPECT_EQ(viewerText(), QStringLiteral("resumen\n"));
    EXPECT_TRUE(window->document().modified);
    EXPECT_FALSE(buttonOn("EditarR"));
}

TEST_F(EngineRunTest, EditarDShowsTheDataFileAndAceptarClosesTheViewer) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    window->toolbarButton(QStringLiteral("EditarD"))->trigger();
    ASSERT_NE(viewer(), nullptr);
    EXPECT_EQ(viewer()->windowTitle(), QStringLiteral("Archivo de datos y resultados"));
    EXPECT_EQ(viewer()->rtxtdatos()->objectName(), QStringLiteral("rtxtdatos"));
    EXPECT_EQ(viewer()->rtxtdatos()->font().family(), QStringLiteral("Courier"));
    EXPECT_EQ(viewer()->btdaceptar()->text(), QStringLiteral("&Aceptar"));
    EXPECT_EQ(viewer()->btprint()->text(), QStringLiteral("&Imprimir"));
    EXPECT_TRUE(viewerText().startsWith(QStringLiteral("NÚMERO TOTAL DE ELEMENTOS DEL SISTEMA\n")));
    EXPECT_TRUE(viewerText().contains(QStringLiteral("Parámetro 1 (0 si no procede):\n0.01\n")));

    viewer()->btdaceptar()->click();
    QTest::qWait(0);  // the closed window is deleted from the event loop
    EXPECT_EQ(window->viewerWindow(), nullptr);
    window->editar(0);
    ASSERT_NE(viewer(), nullptr);
    EXPECT_TRUE(viewerText().startsWith(QStringLiteral("NÚMERO TOTAL")));
    EXPECT_TRUE(dialogs.messages().isEmpty());

    // A file that has gone is said so, and the viewer keeps what it showed.
    QFile::remove(window->document().currentFile);
    window->editar(0);
    EXPECT_EQ(dialogs.messageTexts(), QStringList{QStringLiteral("No se puede leer el fichero ") +
                                                  window->document().currentFile});
    EXPECT_TRUE(viewerText().startsWith(QStringLiteral("NÚMERO TOTAL")));
}

TEST_F(EngineRunTest, ImprimirPrintsTheViewersTextThenClosesIt) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    QString printed, text;
    bool accept = false;
    window->setTextPrinter([&](QWidget*, const QString& file, const QString& shown) {
        printed = file;
        text = shown;
        return accept;
    });
    window->editar(0);
    ASSERT_TRUE(viewer()->btprint()->isEnabled());
    viewer()->btprint()->click();  // the print dialog cancelled: the viewer stays
    EXPECT_EQ(printed, window->document().currentFile);
    EXPECT_TRUE(text.startsWith(QStringLiteral("NÚMERO TOTAL")));
    ASSERT_NE(window->viewerWindow(), nullptr);
    EXPECT_TRUE(window->viewerWindow()->isVisible());

    accept = true;
    viewer()->btprint()->click();
    QTest::qWait(0);
    EXPECT_TRUE(window->viewerWindow() == nullptr || !window->viewerWindow()->isVisible());
}

// The redundancy trials of a large system pass 100 MB: the viewer shows the start of the file
// at once and says below how much of it that is; printing takes what is shown, that line
// included. A small file is shown whole, without the line.
TEST_F(EngineRunTest, ALargeResultFileShowsItsStartAndSaysHowMuch) {
    redundancy(true);
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    const auto line = [](int i) { return QByteArray::number(i).rightJustified(98, ' '); };
    {
        // 5 MB of 100-byte lines, then a hole up to 160 MB.
        QFile f(path(QStringLiteral("redun.TXT")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray lines;
        for (int i = 0; i < 50000; ++i) lines += line(i) + "\r\n";
        ASSERT_EQ(f.write(lines), 5000000);
        ASSERT_TRUE(f.resize(160000000));
    }
    QString printed;
    window->setTextPrinter([&](QWidget*, const QString&, const QString& text) {
        printed = text;
        return false;
    });

    window->editar(1);
    auto* chooser = window->findChild<farvik::frmprintres*>();
    ASSERT_NE(chooser, nullptr);
    chooser->findChild<QRadioButton*>(QStringLiteral("Optprintres(2)"))->click();
    chooser->findChild<QPushButton*>(QStringLiteral("Command1"))->click();

    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messageTexts().join('|').toStdString();
    ASSERT_TRUE(viewerShown());
    const QString text = viewerText();
    // The whole lines within the first 4 MiB of the file (41943 of them), and no more.
    EXPECT_EQ(text.size(), 41943 * 99);
    EXPECT_TRUE(text.startsWith(QString::fromLatin1(line(0) + "\n")));
    EXPECT_TRUE(text.endsWith(QString::fromLatin1("\n" + line(41942) + "\n")));
    const QLabel* shown = viewer()->lbmostrado();
    EXPECT_FALSE(shown->isHidden());
    EXPECT_EQ(shown->text(),
              QStringLiteral("Se muestran los primeros 4.2 MB de los 160.0 MB del fichero."));
    viewer()->btprint()->click();
    EXPECT_EQ(printed, text + QLatin1Char('\n') + shown->text() + QLatin1Char('\n'));

    window->editar(0);
    EXPECT_TRUE(viewer()->lbmostrado()->isHidden());
    viewer()->btprint()->click();
    EXPECT_TRUE(printed.startsWith(QStringLiteral("NÚMERO TOTAL")));
    EXPECT_EQ(printed, viewerText());
}

// Selected text goes to the clipboard: Ctrl+C, or "&Copiar" of the text's context menu.
TEST_F(EngineRunTest, TheViewerCopiesTheSelectedText) {
    savedSeriesSystem(path(QStringLiteral("sis1.dat")));
    window->editar(0);
    ASSERT_NE(viewer(), nullptr);
    QTextEdit* text = viewer()->rtxtdatos();
    auto* copy = viewer()->findChild<QAction*>(QStringLiteral("mnuCopiar"));
    auto* selectAll = viewer()->findChild<QAction*>(QStringLiteral("mnuSeleccionarTodo"));
    ASSERT_TRUE(copy && selectAll);
    EXPECT_FALSE(copy->isEnabled()) << "nothing selected yet";
    QClipboard* clipboard = QApplication::clipboard();
    const auto select = [text](int lines) {
        QTextCursor cursor(text->document());
        cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, lines - 1);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        text->setTextCursor(cursor);
    };
    const QStringList dataLines = viewerText().split(QLatin1Char('\n'));

    select(1);
    EXPECT_TRUE(copy->isEnabled());
    clipboard->setText(QStringLiteral("antes"));
    copy->trigger();
    EXPECT_EQ(clipboard->text(), QStringLiteral("NÚMERO TOTAL DE ELEMENTOS DEL SISTEMA"));

    window->activateWindow();
    text->setFocus();
    select(2);
    clipboard->setText(QStringLiteral("antes"));
    QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), dataLines[0] + QLatin1Char('\n') + dataLines[1]);

    // The context menu offers both commands; "&Copiar" from there takes the whole text once
    // all is selected.
    selectAll->trigger();
    clipboard->setText(QStringLiteral("antes"));
    QStringList offered;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) offered << a->objectName();
        menu->close();
        copy->trigger();
    });
    answer.start();
    const QPoint at(20, 20);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, text->viewport()->mapToGlobal(at));
    QApplication::sendEvent(text->viewport(), &event);
    answer.stop();
    EXPECT_EQ(offered, QStringList({"mnuCopiar", "mnuSeleccionarTodo"}));
    EXPECT_EQ(clipboard->text(), viewerText());
}

}  // namespace
