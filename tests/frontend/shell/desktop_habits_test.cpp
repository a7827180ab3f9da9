// What users bring from other desktop programs: a file named on the command line or dropped
// on the window, the recent files, the examples, the manual, the shortcuts, a menu entry for
// every toolbar command and access keys that do not collide.
#include <QAbstractButton>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>
#include <map>

#include "document_fixture.h"
#include "results/frmgraficos.h"
#include "results/frmprintres.h"
#include "shell/about_box.h"
#include "shell/frmedit.h"

namespace {

using farvik::MessageAnswer;
using farvik::MessageIcon;

const QString kSaveQuestion =
    QStringLiteral("El archivo de datos ha cambiado. ¿Deseas guardar los cambios?");
const QString kLeaveQuestion = QStringLiteral("Estás seguro que deseas abandonar el programa");

class DesktopHabitsTest : public DocumentTest {
  protected:
    void SetUp() override {
        DocumentTest::SetUp();
        window->setExampleCopyFolder(folder.filePath(QStringLiteral("copias")));
    }

    // One of the shipped examples, copied into the test's folder.
    QString example(const QString& name) {
        const QString copy = path(name);
        QFile::copy(QStringLiteral(FARVIK_SOURCE_DIR "/examples/") + name, copy);
        return copy;
    }
    QAction* item(const QString& name) const {
        QAction* action = window->findChild<QAction*>(name);
        EXPECT_NE(action, nullptr) << name.toStdString();
        return action;
    }
    QStringList recentEntries() const {
        QStringList paths;
        for (int n = 1; n <= 4; ++n)
            if (QAction* entry =
                    window->findChild<QAction*>(QStringLiteral("mnuFileRecent(%1)").arg(n)))
                paths << entry->toolTip();
        return paths;
    }
    // Drags one file over the window and drops it, as the desktop does.
    bool drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &dropped);
        QCoreApplication::processEvents();
        return dropped.isAccepted();
    }
    // An engine that answers its own console (no reliability values) and runs the real brenta.
    void answeringEngine() {
        const QString script = folder.filePath(QStringLiteral("brenta-answering"));
        writeFile(script, "#!/bin/sh\nprintf '2\\n' | exec '" FARVIK_BIN_DIR "/brenta' \"$@\"\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        window->setEnginePath(script);
    }
    // A run started by any of its commands goes on in the event loop: wait for its end.
    void waitForTheRun() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window->runGoingOn(); }, 60000));
    }
    void activate() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

TEST_F(DesktopHabitsTest, AFileNamedFromOutsideOpensAsAbrirOpensIt) {
    const QString serpar = example(QStringLiteral("SERPAR.DAT"));
    EXPECT_TRUE(window->openPath(serpar));
    EXPECT_TRUE(dialogs.fileRequests().isEmpty()) << "no open dialog";
    EXPECT_EQ(window->document().currentFile, serpar);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-SERPAR.DAT"));
    EXPECT_TRUE(buttonOn("Ejecutar"));
    EXPECT_EQ(data().systemType, 3);

    // A file the engine would refuse gives Abrir's own message; the document stays.
    const QString bad = path(QStringLiteral("MAL.DAT"));
    writeFile(bad, "esto no es un fichero de datos\r\n");
    EXPECT_FALSE(window->openPath(bad));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().text.startsWith(
        QStringLiteral("No se ha podido leer entero el fichero")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-SERPAR.DAT"));

    // With changes in the editor the save question comes first; Cancelar keeps them.
    ed().optred(data().redundancyStudy ? 0 : 1)->click();
    dialogs.clear();
    dialogs.answerNext(MessageAnswer::Cancel);
    EXPECT_FALSE(window->openPath(serpar));
    EXPECT_EQ(dialogs.messageTexts(), QStringList{kSaveQuestion});
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-SERPAR.DAT*"));
}

TEST_F(DesktopHabitsTest, ADataFileDroppedOnTheWindowIsOpened) {
    const QString serie = example(QStringLiteral("SERIE.DAT"));
    const QString parser = example(QStringLiteral("PARSER.DAT"));
    // Only one local file is taken.
    EXPECT_FALSE(drop({QUrl::fromLocalFile(serie), QUrl::fromLocalFile(parser)}));
    EXPECT_FALSE(drop({QUrl(QStringLiteral("https://example.org/SERIE.DAT"))}));
    EXPECT_FALSE(drop({QUrl::fromLocalFile(folder.path())}));
    EXPECT_TRUE(window->document().currentFile.isEmpty());

    ASSERT_TRUE(drop({QUrl::fromLocalFile(serie)}));
    EXPECT_EQ(window->document().currentFile, serie);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-SERIE.DAT"));

    // A changed document is not replaced without the save question.
    trials(QStringLiteral("5000"));
    dialogs.answerNext(MessageAnswer::Cancel);
    ASSERT_TRUE(drop({QUrl::fromLocalFile(parser)}));
    EXPECT_EQ(dialogs.messageTexts(), QStringList{kSaveQuestion});
    EXPECT_EQ(window->document().currentFile, serie);
    EXPECT_TRUE(window->document().modified);
}

TEST_F(DesktopHabitsTest, RecentFilesSurviveARestartAndAMissingOneIsDropped) {
    const QString serie = example(QStringLiteral("SERIE.DAT"));
    const QString paralelo = example(QStringLiteral("PARALELO.DAT"));
    open(serie);
    ASSERT_TRUE(window->openPath(paralelo));
    // Saved under a new name: that name comes first.
    const QString saved = path(QStringLiteral("COPIA.DAT"));
    dialogs.chooseFile(saved);
    item(QStringLiteral("mnuFileSaveAs"))->trigger();
    EXPECT_EQ(recentEntries(), (QStringList{saved, paralelo, serie}));

    // The next farvik, started with the same settings, offers them in the Archivo menu.
    window.reset();
    window = std::make_unique<farvik::frmMain>(
        farvik::SettingsStore(settings_.filePath(QStringLiteral("Omvira.conf"))));
    window->setProgramEnd([this] { ++programEnds; });
    ASSERT_EQ(recentEntries(), (QStringList{saved, paralelo, serie}));
    EXPECT_EQ(item(QStringLiteral("mnuFileRecent(1)"))->text(),
              QStringLiteral("&1 ") + QDir::toNativeSeparators(saved));

    item(QStringLiteral("mnuFileRecent(3)"))->trigger();
    EXPECT_EQ(window->document().currentFile, serie);
    EXPECT_EQ(recentEntries(), (QStringList{serie, saved, paralelo}));

    ASSERT_TRUE(QFile::remove(paralelo));
    item(QStringLiteral("mnuFileRecent(3)"))->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().first().icon, MessageIcon::Exclamation);
    EXPECT_TRUE(dialogs.messages().first().text.contains(QStringLiteral("ya no existe")));
    EXPECT_EQ(window->document().currentFile, serie) << "the document stays";
    EXPECT_EQ(recentEntries(), (QStringList{serie, saved}));
    EXPECT_EQ(farvik::RecentFiles(
                  farvik::SettingsStore(settings_.filePath(QStringLiteral("Omvira.conf"))))
                  .paths(),
              (QStringList{serie, saved}));
}

TEST_F(DesktopHabitsTest, AnExampleOpensAsACopyTheUserCanRun) {
    QMenu* examples = window->findChild<QMenu*>(QStringLiteral("mnuFileExamples"));
    ASSERT_NE(examples, nullptr);
    QStringList captions;
    for (QAction* entry : examples->actions()) captions << entry->text();
    EXPECT_EQ(captions,
              (QStringList{"&1 SERIE: elementos simples en serie",
                           "&2 PARALELO: elementos simples en paralelo",
                           "&3 SERPAR: subsistemas en serie", "&4 PARSER: subsistemas en paralelo",
                           "&5 GENERAL: sistema general por caminos"}));
    examples->actions().at(4)->trigger();
    const QString copy = folder.filePath(QStringLiteral("copias/GENERAL.DAT"));
    EXPECT_EQ(window->document().currentFile, copy);
    EXPECT_EQ(readFile(copy), readFile(QStringLiteral(FARVIK_SOURCE_DIR "/examples/GENERAL.DAT")));
    EXPECT_EQ(data().systemType, 5);

    // Run where the copy lies: the results are written beside it.
    answeringEngine();
    window->ejecutar();
    waitForTheRun();
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(QStringLiteral("copias/resumen.TXT"))));
    EXPECT_TRUE(buttonOn("EditarR"));
}

TEST_F(DesktopHabitsTest, F1ShowsTheManualInItsHelpWindow) {
    const QString manual = path(QStringLiteral("index.html"));
    writeFile(manual,
              "<html><body><h1>Manual de Farvik</h1><a href=\"otra.html\">otra</a>"
              "</body></html>");
    writeFile(path(QStringLiteral("otra.html")), "<html><body><p>Otra página</p></body></html>");
    window->setManualFile(manual);
    activate();
    QTest::keyClick(window.get(), Qt::Key_F1);
    auto* help = window->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("txtayuda"));
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Manual de Farvik")));
    browser->setSource(QUrl::fromLocalFile(path(QStringLiteral("otra.html"))));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Otra página")));
    help->findChild<QAbstractButton*>(QStringLiteral("btatras"))->click();
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Manual de Farvik")));
    // Asked again, the same window comes forward.
    item(QStringLiteral("mnuHelpContents"))->trigger();
    EXPECT_EQ(window->findChildren<QTextBrowser*>().size(), 1);
}

// The manual as the build lays it out beside the program (and the package installs it): it
// opens by default, and every picture it shows and every section it links to is there.
TEST_F(DesktopHabitsTest, TheShippedManualOpensWithEveryPictureAndSection) {
    item(QStringLiteral("mnuHelpContents"))->trigger();
    ASSERT_NE(window->helpWindow(), nullptr) << dialogs.messageTexts().join(' ').toStdString();
    auto* browser = window->helpWindow()->findChild<QTextBrowser*>();
    const QString html = browser->document()->toHtml();
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Manual de Farvik")));

    const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
    int images = 0;
    for (auto match = image.globalMatch(html); match.hasNext(); ++images) {
        const QUrl url(match.next().captured(1));
        const QVariant picture = browser->document()->resource(QTextDocument::ImageResource, url);
        EXPECT_FALSE(picture.value<QImage>().isNull() && picture.value<QPixmap>().isNull())
            << url.toString().toStdString();
    }
    EXPECT_GE(images, 8);

    const QRegularExpression link(QStringLiteral("<a href=\"#([^\"]+)\""));
    int links = 0;
    for (auto match = link.globalMatch(html); match.hasNext(); ++links) {
        const QString name = match.next().captured(1);
        EXPECT_TRUE(html.contains(QStringLiteral("name=\"%1\"").arg(name))) << name.toStdString();
    }
    EXPECT_GE(links, 12);
}

// Every shortcut, pressed on the window, reaches its command.
TEST_F(DesktopHabitsTest, EveryShortcutReachesItsCommand) {
    activate();
    const QString serpar = example(QStringLiteral("SERPAR.DAT"));

    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);  // Abrir: its dialog
    ASSERT_EQ(dialogs.fileRequests().size(), 1);
    EXPECT_FALSE(dialogs.fileRequests().first().save);

    ASSERT_TRUE(window->openPath(serpar));
    trials(QStringLiteral("3000"));
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);  // Guardar: written
    EXPECT_FALSE(window->document().modified);
    EXPECT_TRUE(readFile(serpar).contains("3000"));

    answeringEngine();
    QTest::keyClick(window.get(), Qt::Key_F5);  // Ejecutar: the engine ran
    waitForTheRun();
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("resumen.TXT"))));
    EXPECT_TRUE(buttonOn("EditarR"));

    // Imprimir: the summary shown after the run goes to the print preview.
    ASSERT_NE(window->viewerWindow(), nullptr);
    window->mdiArea()->setActiveSubWindow(window->viewerWindow());
    dialogs.closeNextPreview();
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(dialogs.printSteps(), QStringList{QStringLiteral("preview")});

    trials(QStringLiteral("4000"));
    dialogs.answerNext(MessageAnswer::Cancel);
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);  // Nuevo: the save question
    EXPECT_EQ(dialogs.messageTexts().last(), kSaveQuestion);

    dialogs.answerNext(MessageAnswer::No);
    dialogs.clear();
    window->systemDocument().setModified(false);
    dialogs.answerNext(MessageAnswer::No);
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);  // Salir: its question
    EXPECT_EQ(dialogs.messageTexts(), QStringList{kLeaveQuestion});
    EXPECT_EQ(programEnds, 0);
}

// With the toolbar hidden, the Simulación menu runs, shows the data file, the results and the
// graphs, each entry on exactly when its toolbar button is.
TEST_F(DesktopHabitsTest, TheToolbarsCommandsAreInTheSimulacionMenu) {
    item(QStringLiteral("mnuViewToolbar"))->trigger();
    const std::map<QString, const char*> following = {{"mnuRunExecute", "Ejecutar"},
                                                      {"mnuRunDataFile", "EditarD"},
                                                      {"mnuRunResults", "EditarR"},
                                                      {"mnuRunGraphs", "EditarR"}};
    auto followsTheToolbar = [&] {
        for (const auto& [name, key] : following)
            if (item(name)->isEnabled() != buttonOn(key)) return false;
        return true;
    };
    EXPECT_TRUE(followsTheToolbar());
    EXPECT_FALSE(item(QStringLiteral("mnuRunExecute"))->isEnabled());

    ASSERT_TRUE(window->openPath(example(QStringLiteral("SERIE.DAT"))));
    EXPECT_TRUE(followsTheToolbar());
    item(QStringLiteral("mnuRunDataFile"))->trigger();
    ASSERT_NE(window->viewerWindow(), nullptr);
    auto* viewer = qobject_cast<farvik::frmedit*>(window->viewerWindow()->widget());
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->rtxtdatos()->toPlainText().contains(QStringLiteral("NÚMERO TOTAL")));

    answeringEngine();
    item(QStringLiteral("mnuRunExecute"))->trigger();
    waitForTheRun();
    ASSERT_TRUE(buttonOn("EditarR"));
    EXPECT_TRUE(followsTheToolbar());

    item(QStringLiteral("mnuRunResults"))->trigger();
    auto* chooser = window->findChild<farvik::frmprintres*>();
    ASSERT_NE(chooser, nullptr);
    chooser->close();
    item(QStringLiteral("mnuRunGraphs"))->trigger();
    EXPECT_EQ(window->findChildren<farvik::frmgraficos*>().size(), 1);

    trials(QStringLiteral("2000"));
    EXPECT_FALSE(item(QStringLiteral("mnuRunGraphs"))->isEnabled());
    EXPECT_TRUE(followsTheToolbar());
}

// The letter after "&" of every entry: no two alike in one menu, in the menu bar, or in one
// window.
QString accessKey(const QString& text) {
    const QKeySequence key = QKeySequence::mnemonic(text);
    return key.isEmpty() ? QString() : key.toString();
}

void expectUniqueKeys(const QString& where, const QList<QPair<QString, QString>>& entries) {
    std::map<QString, QString> taken;
    for (const auto& [text, key] : entries) {
        if (key.isEmpty()) continue;
        const auto [at, inserted] = taken.emplace(key, text);
        EXPECT_TRUE(inserted) << where.toStdString() << ": " << key.toStdString() << " in \""
                              << at->second.toStdString() << "\" and \"" << text.toStdString()
                              << "\"";
    }
}

void expectUniqueKeysIn(const QString& where, const QMenu& menu) {
    QList<QPair<QString, QString>> entries;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator() || !action->isVisible()) continue;
        entries.append({action->text(), accessKey(action->text())});
        if (QMenu* sub = action->menu()) expectUniqueKeysIn(where + " > " + action->text(), *sub);
    }
    expectUniqueKeys(where, entries);
}

QString windowName(const QWidget& window) {
    if (!window.objectName().isEmpty()) return window.objectName();
    return QString::fromLatin1(window.metaObject()->className()).section(QLatin1Char(':'), -1);
}

void expectUniqueKeysIn(const QWidget& window) {
    QList<QPair<QString, QString>> entries;
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (!button->isHidden()) entries.append({button->text(), accessKey(button->text())});
    for (const QGroupBox* box : window.findChildren<QGroupBox*>())
        entries.append({box->title(), accessKey(box->title())});
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy()) entries.append({label->text(), accessKey(label->text())});
    expectUniqueKeys(windowName(window), entries);
}

TEST_F(DesktopHabitsTest, AccessKeysAreUniqueInEveryMenuAndWindow) {
    QList<QPair<QString, QString>> bar;
    for (QAction* menu : window->menuBar()->actions()) {
        bar.append({menu->text(), accessKey(menu->text())});
        if (menu->menu() && menu->isVisible()) expectUniqueKeysIn(menu->text(), *menu->menu());
    }
    expectUniqueKeys(QStringLiteral("la barra de menús"), bar);
    EXPECT_GE(bar.size(), 5);

    // Every window there is: the editor, the diagram, the viewer, the console, the results
    // chooser, the graphs, the exact check, the help and the About box.
    ASSERT_TRUE(window->openPath(example(QStringLiteral("SERPAR.DAT"))));
    answeringEngine();
    window->ejecutar();
    waitForTheRun();
    ASSERT_TRUE(buttonOn("EditarR"));
    item(QStringLiteral("mnuViewDiagram"))->trigger();
    item(QStringLiteral("mnuRunGraphs"))->trigger();
    window->showExactCheck();
    QSet<QString> seen;
    for (QMdiSubWindow* child : window->mdiArea()->subWindowList()) {
        expectUniqueKeysIn(*child->widget());
        seen.insert(windowName(*child->widget()));
    }
    for (const char* name : {"frmdatos", "frmedit", "frmgraficos", "frmcomprobacion"})
        EXPECT_TRUE(seen.contains(QString::fromLatin1(name))) << name << " not checked";

    item(QStringLiteral("mnuRunResults"))->trigger();
    auto* chooser = window->findChild<farvik::frmprintres*>();
    ASSERT_NE(chooser, nullptr);
    expectUniqueKeysIn(*chooser);
    chooser->close();

    const QString manual = path(QStringLiteral("index.html"));
    writeFile(manual, "<html><body>Manual</body></html>");
    window->setManualFile(manual);
    item(QStringLiteral("mnuHelpContents"))->trigger();
    ASSERT_NE(window->helpWindow(), nullptr);
    expectUniqueKeysIn(*window->helpWindow());

    farvik::frmAbout about(window.get());
    expectUniqueKeysIn(about);
}

}  // namespace
