// "¿Y si...?" on the document: the panel shows the exact analysis of the typed change,
// worked out independently here, and touches the document only by "Aplicar", one step of
// its history; Escape leaves it as it was; a value the engine refuses turns Aplicar off.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "document/datafile_reading.h"
#include "document/datafile_writer.h"
#include "editor/block_diagram_window.h"
#include "editor/frmdatos.h"
#include "exact_system.h"
#include "results/exact_check_table.h"
#include "results/frmimportancia.h"
#include "results/importance_plot.h"
#include "scripted_dialogs.h"
#include "shell/main_window.h"
#include "shell/what_if_panel.h"
#include "system_reading.h"

namespace farvik {
namespace {

SystemData serpar() {
    const DataFileReading r =
        readSystemFile(QStringLiteral(FARVIK_SOURCE_DIR "/examples/SERPAR.DAT"));
    EXPECT_TRUE(r.system.has_value()) << r.failure.toStdString();
    return *r.system;
}

// The exact analysis of a system, from its data file's bytes.
analysis::ExactSystem exactOf(const SystemData& system) {
    analysis::SystemReading reading =
        analysis::readSystem(dataFileBytesFor(system).toStdString(), "SERPAR.DAT");
    EXPECT_TRUE(reading.model.has_value()) << reading.failure;
    return analysis::ExactSystem(*reading.model);
}

class WhatIfTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<frmMain>(SettingsStore(dir.filePath(QStringLiteral("s.conf"))));
        window->systemDocument().begin(original, dir.filePath(QStringLiteral("SERPAR.DAT")));
    }

    WhatIfPanel* panel() const {
        QMdiSubWindow* sub = window->whatIfWindow();
        return sub ? qobject_cast<WhatIfPanel*>(sub->widget()) : nullptr;
    }
    WhatIfPanel* open(const QString& label) {
        window->showWhatIf(elementRowOfLabel(window->systemDocument().system(), label));
        return panel();
    }
    // Waits until the panel shows the answer to its newest question.
    static void settle(WhatIfPanel& p) {
        for (int waited = 0; waited < 30000 && (p.runner().working() || !p.shownAnswer());
             waited += 10)
            QTest::qWait(10);
        ASSERT_TRUE(p.shownAnswer().has_value());
        ASSERT_FALSE(p.runner().working());
    }
    static void retype(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }

    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    const SystemData original = serpar();
    std::unique_ptr<frmMain> window;
};

TEST_F(WhatIfTest, ThePanelShowsTheExactAnalysisOfTheTypedChange) {
    WhatIfPanel* p = open(QStringLiteral("3-1"));  // the normal 900 / 150 in series
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->windowTitle(), QStringLiteral("¿Y si...?"));
    EXPECT_EQ(p->cmbfallo()->currentIndex(), 4);
    EXPECT_EQ(p->txtparam(1)->text(), QStringLiteral("900"));
    retype(p->txtparam(1), QStringLiteral("1500"));
    QTest::keyClicks(p->txttiempo(), QStringLiteral("750"));
    settle(*p);

    SystemData changed = original;
    changed.subsystems[3].elements[1].params[1] = 1500;
    const analysis::ExactSystem before = exactOf(original), after = exactOf(changed);
    const WhatIfAnswer& a = *p->shownAnswer();
    EXPECT_NEAR(a.before.meanLife.value, before.meanLife().value, 1e-9 * before.meanLife().value);
    EXPECT_NEAR(a.after.meanLife.value, after.meanLife().value, 1e-9 * after.meanLife().value);
    ASSERT_EQ(a.times, std::vector<double>{750});
    EXPECT_DOUBLE_EQ(a.before.atTimes[0], before.reliability(750));
    EXPECT_DOUBLE_EQ(a.after.atTimes[0], after.reliability(750));
    // As shown: the mean lives, R(750) and the change in %.
    QTableWidget* t = p->tblcomparacion();
    ASSERT_EQ(t->rowCount(), 2);
    EXPECT_EQ(t->item(0, 1)->text(), shownFigure(before.meanLife().value));
    EXPECT_EQ(t->item(0, 2)->text(), shownFigure(after.meanLife().value));
    EXPECT_EQ(t->item(0, 3)->text(),
              shownFigure(100 * (a.after.meanLife.value - a.before.meanLife.value) /
                          a.before.meanLife.value));
    EXPECT_EQ(t->item(1, 0)->text(), QStringLiteral("R(750)"));
    EXPECT_EQ(t->item(1, 2)->text(), shownFigure(after.reliability(750)));
    EXPECT_FALSE(p->plot()->empty());
    const QString png = dir.filePath(QStringLiteral("ysi.png"));
    dialogs.chooseFile(png);
    p->resize(600, 600);
    ASSERT_TRUE(p->exportGraph());
    EXPECT_FALSE(QImage(png).isNull());
    // Nothing of it reached the document.
    EXPECT_EQ(window->systemDocument().system(), original);
    EXPECT_EQ(window->systemDocument().history().count(), 0);
}

TEST_F(WhatIfTest, AplicarIsOneEditThatUndoRestoresByteForByte) {
    const QByteArray written = dataFileBytesFor(original);
    WhatIfPanel* p = open(QStringLiteral("2-1"));  // Weibull 1.5 / 1200
    ASSERT_NE(p, nullptr);
    p->cmbfallo()->setCurrentIndex(0);
    emit p->cmbfallo()->activated(0);  // as a click on "Exponencial" gives
    retype(p->txtparam(1), QStringLiteral("0.0005"));
    settle(*p);
    ASSERT_TRUE(p->btaplicar()->isEnabled());
    QTest::mouseClick(p->btaplicar(), Qt::LeftButton);

    SystemDocument& doc = window->systemDocument();
    EXPECT_EQ(doc.history().count(), 1);
    EXPECT_TRUE(doc.isModified());
    const ElementRec& applied = doc.system().subsystems[2].elements[1];
    EXPECT_EQ(applied.distribution, 0);
    EXPECT_EQ(applied.params[1], 0.0005);
    EXPECT_EQ(applied.key, original.subsystems[2].elements[1].key);
    // The comparison is now against the document as applied: no change left.
    settle(*p);
    EXPECT_DOUBLE_EQ(p->shownAnswer()->before.meanLife.value,
                     p->shownAnswer()->after.meanLife.value);

    doc.history().undo();
    EXPECT_EQ(dataFileBytesFor(doc.system()), written);
    EXPECT_FALSE(doc.isModified());
    doc.history().redo();
    EXPECT_EQ(doc.system().subsystems[2].elements[1].params[1], 0.0005);
}

TEST_F(WhatIfTest, EscapeAndCerrarLeaveTheDocumentAsItWas) {
    for (bool escape : {true, false}) {
        WhatIfPanel* p = open(QStringLiteral("1-1"));
        ASSERT_NE(p, nullptr);
        retype(p->txtparam(1), QStringLiteral("0.0001"));
        if (escape)
            QTest::keyClick(p->txtparam(1), Qt::Key_Escape);
        else
            QTest::mouseClick(p->btcerrar(), Qt::LeftButton);
        QTest::qWait(20);
        EXPECT_EQ(window->whatIfWindow(), nullptr);
        EXPECT_EQ(window->systemDocument().system(), original);
        EXPECT_EQ(window->systemDocument().history().count(), 0);
        EXPECT_FALSE(window->systemDocument().isModified());
    }
}

TEST_F(WhatIfTest, AValueTheEngineRefusesTurnsAplicarOffAndSaysWhy) {
    WhatIfPanel* p = open(QStringLiteral("1-1"));  // exponential 0.001
    ASSERT_NE(p, nullptr);
    settle(*p);
    EXPECT_TRUE(p->btaplicar()->isEnabled());
    retype(p->txtparam(1), QStringLiteral("0"));
    EXPECT_FALSE(p->btaplicar()->isEnabled());
    // The figures shown are the last valid change's, and the panel says so.
    EXPECT_EQ(p->lbestado()->text(), QStringLiteral("Se muestra el último cambio válido."));
    EXPECT_TRUE(
        p->refusals().join(' ').contains(QStringLiteral("la tasa de fallo debe ser mayor que 0")));
    EXPECT_TRUE(p->txtparam(1)->toolTip().contains(QStringLiteral("la tasa de fallo")));
    // A lone point is no number either.
    retype(p->txtparam(1), QStringLiteral("."));
    EXPECT_FALSE(p->btaplicar()->isEnabled());
    // A Weibull's shape must be above 0; its second box opens.
    p->cmbfallo()->setCurrentIndex(1);
    emit p->cmbfallo()->activated(1);
    EXPECT_TRUE(p->txtparam(2)->isEnabled());
    retype(p->txtparam(2), QStringLiteral("1000"));
    retype(p->txtparam(1), QStringLiteral("0"));
    EXPECT_FALSE(p->btaplicar()->isEnabled());
    retype(p->txtparam(1), QStringLiteral("2"));
    EXPECT_TRUE(p->btaplicar()->isEnabled());
    EXPECT_TRUE(p->refusals().isEmpty());
    // Aplicar refused while off: the document stays.
    retype(p->txtparam(1), QStringLiteral("0"));
    QTest::mouseClick(p->btaplicar(), Qt::LeftButton);
    EXPECT_EQ(window->systemDocument().history().count(), 0);
}

// The importance table's and the diagram's choice of an element reach the panel.
TEST_F(WhatIfTest, TheImportanceWindowAndTheDiagramChooseTheElement) {
    window->showImportance();
    auto* importance = window->importanceWindow()
                           ? qobject_cast<frmimportancia*>(window->importanceWindow()->widget())
                           : nullptr;
    ASSERT_NE(importance, nullptr);
    emit importance->whatIfRequested(QStringLiteral("2-2"));
    ASSERT_NE(panel(), nullptr);
    EXPECT_EQ(panel()->elementLabel(), QStringLiteral("2-2"));
    EXPECT_EQ(panel()->cmbfallo()->currentIndex(), 2);  // lognormal of the normal's parameters

    window->openDiagram();
    auto* diagram = qobject_cast<BlockDiagramWindow*>(window->diagramWindow()->widget());
    ASSERT_NE(diagram, nullptr);
    emit diagram->elementChosen(elementRowOfLabel(original, QStringLiteral("1-2")));
    EXPECT_EQ(panel()->elementLabel(), QStringLiteral("1-2"));
}

// Ver > "¿Y si...?" takes the element of the editor's row with the focus; without one it
// says how to choose an element and opens nothing.
TEST_F(WhatIfTest, TheViewMenuTakesTheEditorsRow) {
    QAction* item = window->findChild<QAction*>(QStringLiteral("mnuViewWhatIf"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("¿&Y si...?"));
    frmdatos* editor = window->dataEditor();
    ASSERT_NE(editor, nullptr);
    editor->txtsemilla()->setFocus();
    item->trigger();
    EXPECT_EQ(panel(), nullptr);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith(QStringLiteral("Elige primero un elemento")));

    const int k = editor->elementRows();
    editor->txtparam1(k)->setFocus();
    item->trigger();
    ASSERT_NE(panel(), nullptr);
    EXPECT_EQ(panel()->elementKey(), k);
}

// On the paths' tab the element is the one whose key the document's path entry holds, read
// from the document, whatever the box shows.
TEST_F(WhatIfTest, TheViewMenuTakesThePathEntrysElement) {
    const DataFileReading general =
        readSystemFile(QStringLiteral(FARVIK_SOURCE_DIR "/examples/GENERAL.DAT"));
    ASSERT_TRUE(general.system.has_value());
    window->systemDocument().begin(*general.system, dir.filePath(QStringLiteral("GENERAL.DAT")));
    frmdatos* editor = window->dataEditor();
    ASSERT_NE(editor, nullptr);
    const SystemData& system = window->systemDocument().system();
    ASSERT_GE(system.paths.size(), 2u);
    const SubsystemRec& path = system.paths[system.paths.size() - 1];
    const ElementRec& entry = path.elements[std::size_t(path.count)];
    const int key = static_cast<int>(entry.params[1]);
    ASSERT_GT(key, 0);
    editor->selectPathEntryRow(entry.key);
    ASSERT_EQ(editor->focusWidget(), editor->txtcamino(entry.key));
    // The box's text is not what counts: the document's entry is.
    editor->txtcamino(entry.key)->blockSignals(true);
    editor->txtcamino(entry.key)->setText(QStringLiteral("999"));
    editor->txtcamino(entry.key)->blockSignals(false);
    EXPECT_EQ(editor->focusedElementRow(), key);
    window->findChild<QAction*>(QStringLiteral("mnuViewWhatIf"))->trigger();
    ASSERT_NE(panel(), nullptr);
    EXPECT_EQ(panel()->elementKey(), key);
}

}  // namespace
}  // namespace farvik
