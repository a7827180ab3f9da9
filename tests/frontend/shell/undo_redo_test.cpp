// Undo and redo of the document's edits from the "Edición" menu and its keys: a walk back to
// the saved state and forward again, checked in what the editor shows and what Save writes.
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "document/datafile_writer.h"
#include "document_fixture.h"
#include "engine_run_fixture.h"

namespace {

// What the editor shows, control by control, as one text.
QString shown(const farvik::frmdatos& e) {
    QStringList out;
    for (int t = 1; t <= 5; ++t)
        if (e.optsistemas(t)->isChecked()) out << QStringLiteral("structure %1").arg(t);
    out << (e.optred(1)->isChecked() ? QStringLiteral("Si") : QStringLiteral("No"));
    out << e.txtsemilla()->text() << e.txtpruebas()->text() << e.txtsubsistemas()->text()
        << e.txtcaminos()->text();
    for (int i = 1; i <= e.subsystemRows(); ++i) out << e.txtelemsubs(i)->text();
    for (int k = 1; k <= e.elementRows(); ++k)
        out << e.lbsubselem(k)->text() << e.cmbfallo(k)->currentText() << e.txtparam1(k)->text()
            << e.txtparam2(k)->text();
    for (int p = 1; p <= e.pathRows(); ++p) out << e.txtelemcams(p)->text();
    for (int k = 1; k <= e.pathEntryRows(); ++k) out << e.txtcamino(k)->text();
    return out.join(QLatin1Char('|'));
}

class UndoRedoTest : public EngineRunTest {
  protected:
    struct State {
        QString shown;
        QByteArray bytes;  // what Save would write
        QString caption;
    };
    State now() const {
        return {shown(ed()), farvik::dataFileBytesFor(data()), window->windowTitle()};
    }
    QAction* item(const char* name) const {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
    void expectState(const State& s, const std::string& where) const {
        const State n = now();
        EXPECT_EQ(n.shown, s.shown) << where;
        EXPECT_EQ(n.bytes, s.bytes) << where;
        EXPECT_EQ(n.caption, s.caption) << where;
        EXPECT_EQ(ed().system(), data()) << where;
    }
};

TEST_F(UndoRedoTest, TheEditMenuSitsBetweenArchivoAndVerWithItsKeys) {
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions())
        if (menu->isVisible()) menus << menu->text();
    ASSERT_GE(menus.size(), 3);
    EXPECT_EQ(menus.mid(0, 3), (QStringList{QStringLiteral("&Archivo"), QStringLiteral("&Edición"),
                                            QStringLiteral("&Ver")}));
    EXPECT_EQ(item("mnuEditUndo")->text(), QStringLiteral("&Deshacer"));
    EXPECT_EQ(item("mnuEditUndo")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(item("mnuEditRedo")->text(), QStringLiteral("&Rehacer"));
    EXPECT_EQ(item("mnuEditRedo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                   QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    // A new document has nothing to undo.
    EXPECT_FALSE(item("mnuEditUndo")->isEnabled());
    EXPECT_FALSE(item("mnuEditRedo")->isEnabled());
}

// Every kind of edit is one step; undone to the saved state the asterisk goes and Save
// would write the file as it is; redone, every step comes back as it was.
TEST_F(UndoRedoTest, AWalkBackToTheSavedStateAndForwardAgain) {
    element(1, 0, {"0.01"});
    const QString file = path(QStringLiteral("PASEO.DAT"));
    ASSERT_TRUE(saveAs(file));
    open(file);  // an opened document starts a clean history
    EXPECT_FALSE(item("mnuEditUndo")->isEnabled());
    std::vector<State> states{now()};
    EXPECT_EQ(states[0].caption, QStringLiteral("Farvik-PASEO.DAT"));
    EXPECT_EQ(states[0].bytes, readFile(file));

    const std::vector<std::function<void()>> edits = {
        [&] { structure(5); },
        [&] { ed().udsubsistemas()->pressUp(); },  // a second element
        [&] { ed().udcaminos()->pressUp(); },      // a second path
        [&] { ed().udelemcams(1)->pressUp(); },    // a second entry of path 1
        [&] { ed().cmbfallo(2)->setCurrentIndex(1); },
        [&] {
            ed().txtparam1(2)->selectAll();
            QTest::keyClicks(ed().txtparam1(2), QStringLiteral("1.5"));  // keys: one step
        },
        [&] {
            ed().txtcamino(2)->selectAll();
            QTest::keyClicks(ed().txtcamino(2), QStringLiteral("2"));
        },
        [&] { ed().udsemilla()->pressUp(); },
        [&] {
            ed().txtpruebas()->selectAll();
            QTest::keyClicks(ed().txtpruebas(), QStringLiteral("2500"));
        },
        [&] { redundancy(true); },
    };
    for (std::size_t n = 0; n < edits.size(); ++n) {
        edits[n]();
        states.push_back(now());
        EXPECT_NE(states.back().bytes, states[n].bytes) << "edit " << n;
        EXPECT_EQ(window->systemDocument().history().index(), static_cast<int>(n + 1))
            << "edit " << n << " is one step";
    }
    EXPECT_TRUE(states.back().caption.endsWith(QLatin1Char('*')));

    for (std::size_t n = edits.size(); n-- > 0;) {
        ASSERT_TRUE(item("mnuEditUndo")->isEnabled());
        item("mnuEditUndo")->trigger();
        expectState(states[n], "undone to " + std::to_string(n));
    }
    EXPECT_FALSE(item("mnuEditUndo")->isEnabled());
    EXPECT_FALSE(window->document().modified);
    EXPECT_TRUE(buttonOn("Ejecutar"));

    for (std::size_t n = 1; n <= edits.size(); ++n) {
        ASSERT_TRUE(item("mnuEditRedo")->isEnabled());
        item("mnuEditRedo")->trigger();
        expectState(states[n], "redone to " + std::to_string(n));
    }
    EXPECT_FALSE(item("mnuEditRedo")->isEnabled());
    ASSERT_TRUE(window->save());
    EXPECT_EQ(readFile(file), states.back().bytes);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-PASEO.DAT"));

    // A new document starts a clean history too.
    window->newCommand();
    EXPECT_FALSE(item("mnuEditUndo")->isEnabled());
    EXPECT_FALSE(item("mnuEditRedo")->isEnabled());
}

// Ctrl+Z typed in a box undoes the document's step (the keys typed there), not the box's own
// history behind the document's back; Ctrl+Y brings it back.
TEST_F(UndoRedoTest, TheKeysInABoxUndoTheDocument) {
    element(1, 0, {"0.01"});
    ASSERT_TRUE(saveAs(path(QStringLiteral("TECLAS.DAT"))));
    open(path(QStringLiteral("TECLAS.DAT")));  // a clean history
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QLineEdit* box = ed().txtparam1(1);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("0.25"));
    ASSERT_EQ(data().subsystems[1].elements[1].params[1], 0.25);
    ASSERT_TRUE(window->document().modified);

    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(data().subsystems[1].elements[1].params[1], 0.01);
    EXPECT_EQ(box->text(), QStringLiteral("0.01"));
    EXPECT_FALSE(window->document().modified);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-TECLAS.DAT"));
    // With nothing left to undo, the key does nothing in the box either.
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("0.01"));

    QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("0.25"));
    EXPECT_EQ(data().subsystems[1].elements[1].params[1], 0.25);
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // nothing more
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(box->text(), QStringLiteral("0.25"));
    EXPECT_TRUE(window->document().modified);
    EXPECT_TRUE(box->hasFocus());  // the row keeps the focus through undo and redo
}

// Whether the results are the document's own is the document's to say, not a button's: the
// viewing commands follow it whatever the toolbar shows, and an undo back to the file that
// was run does not claim the results again.
TEST_F(UndoRedoTest, TheResultsBelongToTheDocumentNotToAButton) {
    savedSeriesSystem(path(QStringLiteral("PROPIO.DAT")));
    run({reply(kFirstQuestion, "2")});
    ASSERT_TRUE(window->systemDocument().resultsAreOwn());
    ASSERT_TRUE(buttonOn("EditarR"));
    dialogs.clear();

    // A button switched off by hand changes nothing of what the results are.
    window->toolbarButton(QStringLiteral("EditarR"))->setEnabled(false);
    window->showExactCheck();
    ASSERT_NE(window->exactCheckWindow(), nullptr);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    window->toolbarButton(QStringLiteral("EditarR"))->setEnabled(true);

    // An edit leaves the results behind, and so does its undo.
    redundancy(true);
    EXPECT_FALSE(window->systemDocument().resultsAreOwn());
    EXPECT_FALSE(buttonOn("EditarR"));
    item("mnuEditUndo")->trigger();
    EXPECT_FALSE(window->document().modified);
    EXPECT_FALSE(window->systemDocument().resultsAreOwn());
    EXPECT_FALSE(buttonOn("EditarR"));
    // With a button switched on by hand the report is still refused.
    window->toolbarButton(QStringLiteral("EditarR"))->setEnabled(true);
    dialogs.clear();
    window->studyReport();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith(QStringLiteral("El informe del estudio")));
}

}  // namespace
