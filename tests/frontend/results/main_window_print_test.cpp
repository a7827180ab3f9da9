// The main window's print command follows the current child window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>

#include "engine_results.h"
#include "results/frmgraficos.h"
#include "scripted_dialogs.h"
#include "shell/main_window.h"

namespace farvik {
namespace {

TEST(MainWindowPrintTest, PrintsTheGraphWindowAndIsOffWithoutOne) {
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    frmMain w(SettingsStore(dir.filePath(QStringLiteral("Omvira.conf"))));
    w.setProgramEnd([] {});
    w.show();
    QAction* menu = w.findChild<QAction*>(QStringLiteral("mnuFilePrint"));
    QAction* button = w.toolbarButton(QStringLiteral("Imprimir"));
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(button, nullptr);
    // The data editor has nothing to print.
    EXPECT_FALSE(menu->isEnabled());
    EXPECT_FALSE(button->isEnabled());

    writeFile(dir.path(), QStringLiteral("tablafia.txt"),
              tableText({"        0.00000       10.00000       1        0.00000        0.20000"}));
    frmgraficos* graphWindow = openGraphs(*w.mdiArea(), dir.path());
    QApplication::sendPostedEvents();
    w.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(graphWindow->parentWidget()));
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_TRUE(button->isEnabled());

    dialogs.answerNext(MessageAnswer::Cancel);
    button->trigger();
    dialogs.answerNext(MessageAnswer::Cancel);
    menu->trigger();
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList(2, QStringLiteral("¿Quiere imprimir los resultados con el gráfico?")));

    w.mdiArea()->setActiveSubWindow(w.dataEditorWindow());
    EXPECT_FALSE(menu->isEnabled());
    w.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(graphWindow->parentWidget()));
    EXPECT_TRUE(menu->isEnabled());
    // "&Aceptar" closes the graph window with its frame.
    graphWindow->findChild<QPushButton*>(QStringLiteral("btdaceptar"))->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.mdiArea()->subWindowList().size(), 1);
    w.mdiArea()->setActiveSubWindow(w.dataEditorWindow());
    EXPECT_FALSE(menu->isEnabled());
    EXPECT_FALSE(button->isEnabled());
}

}  // namespace
}  // namespace farvik
