#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <memory>

#include "editor/block_diagram_window.h"
#include "editor/frmdatos.h"
#include "editor/spin_arrows.h"
#include "scripted_dialogs.h"

namespace farvik {
namespace {

const QString kLeaveQuestion = QStringLiteral("Estás seguro que deseas abandonar el programa");
const QString kSaveQuestion =
    QStringLiteral("El archivo de datos ha cambiado. ¿Deseas guardar los cambios?");

class MainWindowTest : public ::testing::Test {
  protected:
    QString settingsFile() const { return dir_.filePath(QStringLiteral("Omvira.conf")); }

    std::unique_ptr<frmMain> makeWindow() {
        auto window = std::make_unique<frmMain>(SettingsStore(settingsFile()));
        window->setProgramEnd([this] { ++programEnds; });
        return window;
    }

    void storeRaw(const QStringList& values) {
        QSettings s(settingsFile(), QSettings::IniFormat);
        const QStringList keys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
        for (int i = 0; i < keys.size(); ++i) s.setValue("Settings/" + keys[i], values[i]);
    }
    QStringList storedRaw() const {
        QSettings s(settingsFile(), QSettings::IniFormat);
        QStringList values;
        for (const char* key : {"MainLeft", "MainTop", "MainWidth", "MainHeight"})
            values << s.value(QStringLiteral("Settings/") + key).toString();
        return values;
    }

    static QAction* item(frmMain& w, const char* name) {
        QAction* action = w.findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    static void run(frmMain& w, const char* name) { item(w, name)->trigger(); }

    static DocumentButtons buttons(frmMain& w) {
        return {w.toolbarButton(3)->isEnabled(), w.toolbarButton(5)->isEnabled(),
                w.toolbarButton(8)->isEnabled(), w.toolbarButton(9)->isEnabled()};
    }

    ScriptedDialogs dialogs;
    int programEnds = 0;

  private:
    QTemporaryDir dir_;
};

TEST_F(MainWindowTest, FreshStartShowsAnUnsavedUntitledDocument) {
    auto w = makeWindow();
    const QRect expected(
        twipsToPixels(1000, w->logicalDpiX()), twipsToPixels(1000, w->logicalDpiY()),
        twipsToPixels(6500, w->logicalDpiX()), twipsToPixels(6500, w->logicalDpiY()));
    EXPECT_EQ(QRect(w->pos(), w->size()), expected);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Farvik-(Sin Título)*"));
    EXPECT_EQ(buttons(*w), (DocumentButtons{true, false, false, false}));
    // Shown as unsaved, yet nothing to save: leaving asks no save question.
    EXPECT_FALSE(w->document().modified);
    EXPECT_TRUE(w->document().currentFile.isEmpty());
    ASSERT_NE(w->dataEditorWindow(), nullptr);
    EXPECT_EQ(w->dataEditorWindow()->windowTitle(), QStringLiteral("Datos"));
    EXPECT_TRUE(dialogs.messages().isEmpty());

    QAction* statusItem = item(*w, "mnuViewStatusBar");
    EXPECT_FALSE(statusItem->isChecked());
    EXPECT_FALSE(statusItem->isEnabled());
    EXPECT_FALSE(statusItem->isVisible());
    EXPECT_TRUE(w->statusBar()->isHidden());
    EXPECT_EQ(w->statusBar()->objectName(), QStringLiteral("sbStatusBar"));
    EXPECT_TRUE(item(*w, "mnuViewToolbar")->isChecked());
}

TEST_F(MainWindowTest, StoredPlacementIsUsedAndAnUnmovedWindowStoresItUnchanged) {
    storeRaw({"1440", "2880", "7200", "5760"});
    auto w = makeWindow();
    const int dpiX = w->logicalDpiX();
    const int dpiY = w->logicalDpiY();
    EXPECT_EQ(w->pos(), QPoint(twipsToPixels(1440, dpiX), twipsToPixels(2880, dpiY)));
    EXPECT_EQ(w->size(), QSize(twipsToPixels(7200, dpiX), twipsToPixels(5760, dpiY)));

    storeRaw({"1", "2", "3", "4"});
    w->show();
    EXPECT_TRUE(w->close());
    EXPECT_EQ(storedRaw(), QStringList({"1440", "2880", "7200", "5760"}));
    EXPECT_EQ(programEnds, 1);
}

TEST_F(MainWindowTest, ClosingStoresWhereTheWindowWasMoved) {
    auto w = makeWindow();
    w->show();
    w->move(144, 72);
    w->resize(480, 240);
    EXPECT_TRUE(w->close());
    const WindowPlacement expected =
        pixelsToPlacement(QRect(144, 72, 480, 240), w->logicalDpiX(), w->logicalDpiY());
    EXPECT_EQ(readPlacement(SettingsStore(settingsFile())), expected);
    EXPECT_EQ(programEnds, 1);
}

TEST_F(MainWindowTest, MinimizedCloseLeavesThePlacementUnchanged) {
    storeRaw({"1500", "1600", "7000", "8000"});
    auto w = makeWindow();
    w->show();
    w->move(10, 10);
    w->showMinimized();
    ASSERT_TRUE(w->isMinimized());
    EXPECT_TRUE(w->close());
    EXPECT_EQ(storedRaw(), QStringList({"1500", "1600", "7000", "8000"}));
    EXPECT_EQ(programEnds, 1);
}

TEST_F(MainWindowTest, NewThenSalirAsksWhetherToLeave) {
    auto w = makeWindow();
    w->show();
    run(*w, "mnuFileNew");
    EXPECT_TRUE(dialogs.messages().isEmpty());

    dialogs.answerNext(MessageAnswer::No);
    run(*w, "mnuFileExit");
    ASSERT_EQ(dialogs.messages().size(), 1);
    const ScriptedDialogs::Message& asked = dialogs.messages().first();
    EXPECT_EQ(asked.text, kLeaveQuestion);
    EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
    EXPECT_EQ(asked.icon, MessageIcon::Question);
    EXPECT_TRUE(asked.title.isEmpty());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(programEnds, 0);

    dialogs.answerNext(MessageAnswer::Yes);
    w->toolbarButton(QStringLiteral("Salir"))->trigger();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(readPlacement(SettingsStore(settingsFile())), WindowPlacement{});
}

TEST_F(MainWindowTest, CancelAtNewKeepsTheChangedDocument) {
    auto w = makeWindow();
    w->systemDocument().setModified(true);  // as an edit in the data editor does
    QMdiSubWindow* editor = w->dataEditorWindow();

    dialogs.answerNext(MessageAnswer::Cancel);
    w->toolbarButton(QStringLiteral("Nuevo"))->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().first().text, kSaveQuestion);
    EXPECT_EQ(dialogs.messages().first().buttons, MessageButtons::YesNoCancel);
    EXPECT_TRUE(dialogs.messages().first().title.isEmpty());
    EXPECT_TRUE(w->document().modified);
    EXPECT_EQ(w->dataEditorWindow(), editor);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Farvik-(Sin Título)*"));

    // Cancel at Open's question ends the command before any open dialog.
    dialogs.answerNext(MessageAnswer::Cancel);
    run(*w, "mnuFileOpen");
    EXPECT_TRUE(dialogs.fileRequests().isEmpty());
    EXPECT_EQ(w->dataEditorWindow(), editor);
    EXPECT_TRUE(w->document().modified);
}

TEST_F(MainWindowTest, NoAtNewDiscardsTheChangesAndOpensAFreshEditor) {
    auto w = makeWindow();
    w->systemDocument().setFileName(QStringLiteral("/datos/SIS1.DAT"));
    w->systemDocument().setModified(true);
    QMdiSubWindow* editor = w->dataEditorWindow();

    dialogs.answerNext(MessageAnswer::No);
    run(*w, "mnuWindowNewWindow");
    EXPECT_FALSE(w->document().modified);
    EXPECT_TRUE(w->document().currentFile.isEmpty());
    EXPECT_NE(w->dataEditorWindow(), editor);
    EXPECT_EQ(w->mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Farvik-(Sin Título)*"));
}

TEST_F(MainWindowTest, YesAtNewKeepsTheDocumentWhenNothingWasSaved) {
    auto w = makeWindow();
    w->systemDocument().setModified(true);
    QMdiSubWindow* editor = w->dataEditorWindow();
    dialogs.answerNext(MessageAnswer::Yes);
    EXPECT_FALSE(w->newCommand());
    EXPECT_TRUE(w->document().modified);
    EXPECT_EQ(w->dataEditorWindow(), editor);
}

TEST_F(MainWindowTest, NoAtExitEndsAtOnceWithoutStoringThePlacement) {
    storeRaw({"1500", "1600", "7000", "8000"});
    auto w = makeWindow();
    w->show();
    w->move(30, 40);
    w->systemDocument().setModified(true);

    dialogs.answerNext(MessageAnswer::No);
    w->salir();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().first().text, kSaveQuestion);
    EXPECT_EQ(dialogs.messages().first().buttons, MessageButtons::YesNo);
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(storedRaw(), QStringList({"1500", "1600", "7000", "8000"}));
    EXPECT_NE(w->dataEditorWindow(), nullptr);  // no window was unloaded
}

TEST_F(MainWindowTest, YesAtExitStaysWhenTheChangesWereNotWritten) {
    auto w = makeWindow();
    w->show();
    w->systemDocument().setModified(true);
    dialogs.answerNext(MessageAnswer::Yes);
    w->salir();
    EXPECT_EQ(programEnds, 0);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->document().modified);
}

// A question dismissed with Escape or its close control answers Cancel through the seam,
// also at the exit question, which shows Sí and No only.
TEST_F(MainWindowTest, ADismissedQuestionKeepsTheProgramAndTheDocumentAsTheyWere) {
    auto w = makeWindow();
    w->show();
    const QString file = settingsFile() + QStringLiteral(".DAT");
    w->systemDocument().setFileName(file);
    w->systemDocument().setModified(true);
    QMdiSubWindow* editor = w->dataEditorWindow();

    dialogs.answerNext(MessageAnswer::Cancel);
    w->salir();
    EXPECT_EQ(dialogs.messageTexts(), QStringList{kSaveQuestion});
    EXPECT_EQ(programEnds, 0);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->document().modified);
    EXPECT_EQ(w->document().currentFile, file);
    EXPECT_EQ(w->dataEditorWindow(), editor);
    EXPECT_FALSE(QFileInfo::exists(file));  // nothing written, nothing asked for a name
    EXPECT_TRUE(dialogs.fileRequests().isEmpty());

    // The other questions: New's, the close control's, and leaving an unchanged document.
    dialogs.answerNext(MessageAnswer::Cancel);
    EXPECT_FALSE(w->newCommand());
    dialogs.answerNext(MessageAnswer::Cancel);
    EXPECT_FALSE(w->close());
    EXPECT_EQ(w->dataEditorWindow(), editor);
    EXPECT_TRUE(w->document().modified);
    w->systemDocument().setModified(false);
    dialogs.answerNext(MessageAnswer::Cancel);
    w->salir();
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList({kSaveQuestion, kSaveQuestion, kSaveQuestion, kLeaveQuestion}));
    EXPECT_EQ(programEnds, 0);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(QFileInfo::exists(file));

    // Only an explicit No leaves without saving.
    w->systemDocument().setModified(true);
    dialogs.answerNext(MessageAnswer::No);
    w->salir();
    EXPECT_EQ(programEnds, 1);
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST_F(MainWindowTest, CloseControlAsksBeforeDroppingChanges) {
    auto w = makeWindow();
    w->show();
    w->systemDocument().setModified(true);

    dialogs.answerNext(MessageAnswer::Cancel);
    EXPECT_FALSE(w->close());
    EXPECT_EQ(programEnds, 0);
    EXPECT_EQ(dialogs.messageTexts(), QStringList{kSaveQuestion});

    dialogs.answerNext(MessageAnswer::No);
    EXPECT_TRUE(w->close());
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(readPlacement(SettingsStore(settingsFile())), WindowPlacement{});
}

TEST_F(MainWindowTest, CloseControlOnAnUnchangedDocumentAsksNothing) {
    auto w = makeWindow();
    w->show();
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(programEnds, 1);
}

TEST_F(MainWindowTest, ToolbarItemHidesAndRestoresTheToolbar) {
    auto w = makeWindow();
    w->show();
    QToolBar* bar = w->findChild<QToolBar*>(QStringLiteral("tbToolBar"));
    ASSERT_NE(bar, nullptr);
    QAction* toolbarItem = item(*w, "mnuViewToolbar");

    toolbarItem->trigger();
    EXPECT_FALSE(toolbarItem->isChecked());
    EXPECT_FALSE(bar->isVisible());
    toolbarItem->trigger();
    EXPECT_TRUE(toolbarItem->isChecked());
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(MainWindowTest, CaptionFollowsTheDocumentAndKeepsANameForAPathWithoutSlash) {
    auto w = makeWindow();
    w->systemDocument().setFileName(QStringLiteral("/home/ana/SIS1.DAT"));
    w->systemDocument().setModified(false);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Farvik-SIS1.DAT"));
    EXPECT_EQ(buttons(*w), (DocumentButtons{false, true, true, false}));

    w->systemDocument().setFileName(QStringLiteral("SIS2.DAT"));
    w->cambia_titulo();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Farvik-SIS1.DAT"));
    EXPECT_EQ(w->documentTitle(), QStringLiteral("SIS1.DAT"));

    w->systemDocument().setModified(true);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Farvik-SIS1.DAT*"));
    EXPECT_EQ(buttons(*w), (DocumentButtons{true, false, false, false}));
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsAndShortcuts) {
    auto w = makeWindow();
    const QList<std::tuple<const char*, QString, QKeySequence>> items = {
        {"mnuFile", "&Archivo", {}},
        {"mnuFileNew", "&Nuevo", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"mnuFileOpen", "A&brir...", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnuFileSave", "&Guardar", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuFileSaveAs", "G&uardar como...", {}},
        {"mnuFilePrint", "I&mprimir...", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"mnuFileExit", "&Salir", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"mnuView", "&Ver", {}},
        {"mnuViewToolbar", "&Barra de herramientas", {}},
        {"mnuViewStatusBar", "B&arra de estado", {}},
        {"mnuViewData", "&Datos del sistema", {}},
        {"mnuViewDiagram", "Dia&grama de bloques", {}},
        {"mnuRun", "&Simulación", {}},
        {"mnuRunExecute", "&Ejecutar", QKeySequence(Qt::Key_F5)},
        {"mnuWindow", "Ve&ntana", {}},
        {"mnuWindowNewWindow", "&Nueva ventana", {}},
        {"mnuWindowCascade", "Casca&da", {}},
        {"mnuWindowTileHorizontal", "Mosaico &horizontal", {}},
        {"mnuWindowTileVertical", "Mosaico &vertical", {}},
        {"mnuWindowArrangeIcons", "&Organizar iconos", {}},
        {"mnuHelp", "Ay&uda", {}},
        {"mnuHelpContents", "&Contenido", QKeySequence(Qt::Key_F1)},
        {"mnuHelpAbout", "&Acerca de ", {}},
    };
    for (const auto& [name, caption, shortcut] : items) {
        QAction* action = item(*w, name);
        if (!action) continue;
        EXPECT_EQ(action->text(), caption) << name;
        EXPECT_EQ(action->shortcut(), shortcut) << name;
    }
    for (const char* bar :
         {"mnuFileBar0", "mnuFileBar1", "mnuFileBar2", "mnuWindowBar0", "mnuHelpBar0"}) {
        QAction* separator = item(*w, bar);
        if (separator) {
            EXPECT_TRUE(separator->isSeparator()) << bar;
        }
    }
}

TEST_F(MainWindowTest, ToolbarButtonsKeepTheirPositions) {
    auto w = makeWindow();
    const QList<std::pair<QString, QString>> expected = {
        {"Nuevo", "Nuevo"},
        {"Abrir", "Abrir"},
        {"Guardar", "Guardar"},
        {"", ""},
        {"Ejecutar", "Ejecutar"},
        {"", ""},
        {"Imprimir", "Imprimir"},
        {"EditarD", "Editar Datos"},
        {"EditarR", "Editar Resultados"},
        {"Diagrama", "Diagrama de bloques"},
        {"", ""},
        {"Acerca", "Acerca de ..."},
        {"", ""},
        {"Salir", "Salir"},
    };
    ASSERT_EQ(w->toolbarButton(expected.size() + 1), nullptr);
    for (int i = 0; i < expected.size(); ++i) {
        QAction* button = w->toolbarButton(i + 1);
        ASSERT_NE(button, nullptr);
        const auto& [key, tooltip] = expected[i];
        if (key.isEmpty()) {
            EXPECT_TRUE(button->isSeparator()) << "position " << i + 1;
            continue;
        }
        EXPECT_EQ(button->objectName(), key) << "position " << i + 1;
        EXPECT_EQ(button->toolTip(), tooltip);
        EXPECT_FALSE(button->icon().isNull()) << key.toStdString();
    }
}

// Alt with a letter opens a menu of the menu bar; a button of the diagram window must not
// take the same letter, or the key reaches one of the two by chance of focus.
TEST_F(MainWindowTest, TheDiagramWindowsAccessKeysLeaveTheMenusAlone) {
    auto w = makeWindow();
    run(*w, "mnuViewDiagram");
    ASSERT_NE(w->diagramWindow(), nullptr);
    const auto accessKey = [](const QString& text) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
    };
    QSet<QChar> menuKeys;
    for (QAction* menu : w->menuBar()->actions())
        if (menu->isVisible()) menuKeys.insert(accessKey(menu->text()));
    ASSERT_TRUE(menuKeys.contains(QLatin1Char('a')));  // "&Archivo"
    const auto buttons = w->diagramWindow()->widget()->findChildren<QPushButton*>();
    ASSERT_FALSE(buttons.isEmpty());
    for (const QPushButton* button : buttons) {
        const QChar key = accessKey(button->text());
        if (key.isNull()) continue;
        EXPECT_FALSE(menuKeys.contains(key)) << button->text().toStdString();
    }
}

// One diagram per document: opened again it comes to the front. With room in the frame it
// stands beside the editor, whose rows it is read against; without, it opens as the other
// child windows do. A new document's editor is drawn in the same window.
TEST_F(MainWindowTest, TheDiagramOpensOnceBesideTheEditor) {
    auto w = makeWindow();
    w->resize(1600, 1000);
    w->show();
    run(*w, "mnuViewDiagram");
    QMdiSubWindow* diagram = w->diagramWindow();
    ASSERT_NE(diagram, nullptr);
    ASSERT_NE(w->dataEditorWindow(), nullptr);
    EXPECT_FALSE(diagram->geometry().intersects(w->dataEditorWindow()->geometry()));
    EXPECT_EQ(diagram->y(), w->dataEditorWindow()->y());
    EXPECT_LE(diagram->geometry().right(), w->findChild<QMdiArea*>()->viewport()->width() - 1);
    run(*w, "mnuViewDiagram");
    EXPECT_EQ(w->diagramWindow(), diagram);
    EXPECT_EQ(w->findChild<QMdiArea*>()->subWindowList().size(), 2);

    run(*w, "mnuFileNew");
    ASSERT_EQ(w->diagramWindow(), diagram);
    auto* view = qobject_cast<farvik::BlockDiagramWindow*>(diagram->widget());
    ASSERT_NE(view, nullptr);
    QCoreApplication::processEvents();
    const std::size_t before = view->diagram().blocks.size();
    w->dataEditorWindow()
        ->widget()
        ->findChild<farvik::editor::SpinArrows*>(QStringLiteral("udelemsubs(1)"))
        ->upButton()
        ->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(view->diagram().blocks.size(), before + 1);

    auto small = makeWindow();
    small->resize(700, 500);
    small->show();
    run(*small, "mnuViewDiagram");
    ASSERT_NE(small->diagramWindow(), nullptr);
    EXPECT_TRUE(small->findChild<QMdiArea*>()->viewport()->rect().contains(
        small->diagramWindow()->geometry().topLeft()));
}

// The message stays for an installation without the manual (/usr/share/doc may be left out).
TEST_F(MainWindowTest, HelpContentsWithoutTheManualSaysThereIsNoHelp) {
    auto w = makeWindow();
    w->setManualFile(QStringLiteral("/nonexistent/manual/index.html"));
    run(*w, "mnuHelpContents");
    EXPECT_EQ(w->helpWindow(), nullptr);
    ASSERT_EQ(dialogs.messages().size(), 1);
    const ScriptedDialogs::Message& shown = dialogs.messages().first();
    EXPECT_EQ(shown.text, QStringLiteral("No se puede mostrar el contenido de la Ayuda. No hay "
                                         "Ayuda asociada a este proyecto."));
    EXPECT_EQ(shown.icon, MessageIcon::Information);
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    EXPECT_EQ(shown.title, QStringLiteral("Farvik-(Sin Título)*"));
}

TEST_F(MainWindowTest, AboutOpensModallyFromMenuAndToolbar) {
    auto w = makeWindow();
    w->show();
    for (QAction* command :
         {item(*w, "mnuHelpAbout"), w->toolbarButton(QStringLiteral("Acerca"))}) {
        QString seen;
        QWidget* owner = nullptr;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            seen = modal->objectName() + '|' + modal->windowTitle();
            owner = modal->parentWidget();
            modal->close();
        });
        command->trigger();
        EXPECT_EQ(seen, QStringLiteral("frmAbout|Acerca de Omvira"));
        EXPECT_EQ(owner, w.get());
    }
}

TEST_F(MainWindowTest, TheDataEditorClosedComesBackFromTheViewMenuAsItWas) {
    auto w = makeWindow();
    w->show();
    QMdiSubWindow* frame = w->dataEditorWindow();
    frmdatos* editor = w->dataEditor();
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(editor, nullptr);
    QAction* show = w->findChild<QAction*>(QStringLiteral("mnuViewData"));
    ASSERT_NE(show, nullptr);
    EXPECT_EQ(show->parent(), w->findChild<QMenu*>(QStringLiteral("mnuView")));

    editor->optsistemas(3)->click();  // an edit: a series-parallel system
    ASSERT_TRUE(w->document().modified);
    const QString caption = w->windowTitle();

    frame->close();  // what its close control does
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(w->dataEditorWindow(), frame);  // hidden, not destroyed
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(w->dataEditor(), editor);
    EXPECT_TRUE(w->document().modified);
    EXPECT_EQ(w->windowTitle(), caption);

    show->trigger();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(w->mdiArea()->activeSubWindow(), frame);
    EXPECT_EQ(w->dataEditor(), editor);
    EXPECT_TRUE(editor->optsistemas(3)->isChecked());

    // Its entry in the Window menu brings it back too.
    frame->close();
    QMenu* windows = w->findChild<QMenu*>(QStringLiteral("mnuWindow"));
    emit windows->aboutToShow();
    QAction* entry = nullptr;
    for (QAction* a : windows->actions())
        if (a->text() == QStringLiteral("&1 Datos")) entry = a;
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    EXPECT_TRUE(frame->isVisible());

    // A new document still replaces it with a fresh one, shown.
    frame->close();
    dialogs.answerNext(MessageAnswer::No);
    EXPECT_TRUE(w->newCommand());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(w->dataEditorWindow(), nullptr);
    EXPECT_NE(w->dataEditorWindow(), frame);
    EXPECT_TRUE(w->dataEditorWindow()->isVisible());
    EXPECT_TRUE(w->dataEditor()->optsistemas(1)->isChecked());
}

TEST_F(MainWindowTest, WindowMenuListsAndActivatesTheChildWindows) {
    auto w = makeWindow();
    w->show();
    auto* other = new QWidget;
    other->setWindowTitle(QStringLiteral("Otra"));
    QMdiSubWindow* otherWindow = w->mdiArea()->addSubWindow(other);
    other->show();
    w->mdiArea()->setActiveSubWindow(otherWindow);

    QMenu* menu = w->findChild<QMenu*>(QStringLiteral("mnuWindow"));
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    QAction* dataItem = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == QStringLiteral("&1 Datos")) dataItem = a;
    ASSERT_NE(dataItem, nullptr);
    dataItem->trigger();
    EXPECT_EQ(w->mdiArea()->activeSubWindow(), w->dataEditorWindow());

    emit menu->aboutToShow();  // rebuilt, not appended
    int entries = 0;
    for (QAction* a : menu->actions()) entries += a->text().startsWith('&') && a->isCheckable();
    EXPECT_EQ(entries, 2);
}

TEST_F(MainWindowTest, TilingVerticallyPutsTheChildrenSideBySide) {
    auto w = makeWindow();
    w->show();
    auto* other = new QWidget;
    w->mdiArea()->addSubWindow(other);
    other->show();
    run(*w, "mnuWindowTileVertical");
    const QSize area = w->mdiArea()->viewport()->size();
    const QList<QMdiSubWindow*> windows = w->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows[0]->geometry(), QRect(0, 0, area.width() / 2, area.height()));
    EXPECT_EQ(windows[1]->geometry().left(), area.width() / 2);
}

}  // namespace
}  // namespace farvik
