// Counts, rows, keys, scrolling, limits and the structure switch.
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTabBar>

#include "base/twips.h"
#include "editor_fixture.h"

namespace {

QString at(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

}  // namespace

TEST_F(EditorTest, TwoUpPressesGiveThreeSubsystems) {
    chooseStructure(3);
    up("udsubsistemas", 2);
    EXPECT_EQ(text("txtsubsistemas"), "3");
    EXPECT_EQ(data().subsystemCount, 3);
    ASSERT_EQ(editor->subsystemRows(), 3);
    ASSERT_EQ(editor->elementRows(), 3);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(label(at("lbnumsubsistema", i)), QString::number(i));
        EXPECT_EQ(text(at("txtelemsubs", i)), "1");
        EXPECT_EQ(label(at("lbsubselem", i)), QStringLiteral("%1-1").arg(i));
        EXPECT_EQ(choice(i), "Exponencial");
        EXPECT_EQ(element(i, 1).key, i);
    }
}

TEST_F(EditorTest, RaisingASubsystemRenumbersKeysAndKeepsValues) {
    chooseStructure(3);
    up("udsubsistemas", 2);
    control<QComboBox>("cmbfallo(2)")->setCurrentIndex(1);  // element 2-1: Weibull 2.5, 100
    clear("txtparam1(2)");
    type("txtparam1(2)", "2.5");
    clear("txtparam2(2)");
    type("txtparam2(2)", "100");
    control<QComboBox>("cmbfallo(3)")->setCurrentIndex(4);  // element 3-1: Normal 10, 2
    box("txtparam1(3)")->setText("10");
    box("txtparam2(3)")->setText("2");

    up("udelemsubs(1)");
    EXPECT_EQ(text("txtelemsubs(1)"), "2");
    EXPECT_EQ(data().elementCount, 4);
    ASSERT_EQ(editor->elementRows(), 4);
    const QStringList labels = {"1-1", "1-2", "2-1", "3-1"};
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(label(at("lbsubselem", k)), labels[k - 1]);

    EXPECT_EQ(element(1, 2).key, 2);
    EXPECT_EQ(element(2, 1).key, 3);
    EXPECT_EQ(element(2, 1).distribution, 1);
    EXPECT_EQ(element(2, 1).params[1], 2.5);
    EXPECT_EQ(element(2, 1).params[2], 100.0);
    EXPECT_EQ(choice(3), "Weibull");
    EXPECT_EQ(text("txtparam1(3)"), "2.5");
    EXPECT_EQ(text("txtparam2(3)"), "100");
    EXPECT_TRUE(box("txtparam2(3)")->isVisible());
    EXPECT_EQ(element(3, 1).key, 4);
    EXPECT_EQ(choice(4), "Normal");
    EXPECT_EQ(element(3, 1).params[1], 10.0);
    EXPECT_EQ(element(3, 1).params[2], 2.0);
    EXPECT_EQ(element(1, 2).distribution, 0);  // the new element is fresh
    EXPECT_EQ(element(1, 2).params[1], 0.0);

    box("txtparam1(1)")->setText("8");
    up("udelemsubs(2)");
    const int places[][2] = {{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}};
    for (int k = 1; k <= 5; ++k) {
        const auto [i, j] = places[k - 1];
        EXPECT_EQ(label(at("lbsubselem", k)), QStringLiteral("%1-%2").arg(i).arg(j));
        EXPECT_EQ(element(i, j).key, k);
    }
    EXPECT_EQ(text("txtparam1(1)"), "8");
    EXPECT_EQ(choice(3), "Weibull");
    EXPECT_EQ(choice(5), "Normal");
    EXPECT_EQ(text("txtparam1(5)"), "10");
}

TEST_F(EditorTest, LoweringAnElementCountDropsOnlyTheLastElement) {
    chooseStructure(4);
    up("udsubsistemas");
    up("udelemsubs(1)", 2);
    for (int k = 1; k <= 4; ++k) box(at("txtparam1", k))->setText(QString::number(k * 11));
    down("udelemsubs(1)");
    EXPECT_EQ(text("txtelemsubs(1)"), "2");
    EXPECT_EQ(data().subsystems[1].count, 2);
    EXPECT_EQ(data().elementCount, 3);
    ASSERT_EQ(editor->elementRows(), 3);
    EXPECT_EQ(element(1, 1).params[1], 11.0);
    EXPECT_EQ(element(1, 2).params[1], 22.0);
    EXPECT_EQ(element(2, 1).params[1], 44.0);
    EXPECT_EQ(text("txtparam1(3)"), "44");
    EXPECT_EQ(label("lbsubselem(3)"), "2-1");

    down("udsubsistemas");
    EXPECT_EQ(editor->subsystemRows(), 1);
    EXPECT_EQ(editor->elementRows(), 2);
    EXPECT_EQ(data().elementCount, 2);
    EXPECT_EQ(data().subsystems.size(), 2u);
}

TEST_F(EditorTest, SubsystemLimitsShowTheirMessages) {
    chooseStructure(3);
    markClean();
    down("udsubsistemas");
    ASSERT_EQ(dialogs.messages().size(), 1);
    const auto& message = dialogs.messages().front();
    EXPECT_EQ(message.text, "Número mínimo de subsistemas = 1");
    EXPECT_EQ(message.icon, farvik::MessageIcon::Information);
    EXPECT_EQ(message.buttons, farvik::MessageButtons::Ok);
    EXPECT_TRUE(message.title.isEmpty());
    EXPECT_EQ(text("txtsubsistemas"), "1");
    EXPECT_EQ(data().subsystemCount, 1);
    EXPECT_EQ(editor->subsystemRows(), 1);
    EXPECT_TRUE(document.isModified());

    up("udsubsistemas", 49);
    EXPECT_EQ(dialogs.messages().size(), 1);
    up("udsubsistemas");
    EXPECT_EQ(dialogs.messageTexts().last(), "Número máximo de subsistemas = 50");
    EXPECT_EQ(text("txtsubsistemas"), "50");
    EXPECT_EQ(data().subsystemCount, 50);
    EXPECT_EQ(editor->subsystemRows(), 50);
    EXPECT_EQ(editor->elementRows(), 50);
    EXPECT_EQ(control<farvik::editor::SpinArrows>("udsubsistemas")->step(), 1);

    dialogs.clear();
    up("udelemsubs(50)", 19);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    up("udelemsubs(50)");
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Número máximo de elementos = 20"});
    EXPECT_EQ(text("txtelemsubs(50)"), "20");
    EXPECT_EQ(data().subsystems[50].count, 20);
    EXPECT_EQ(editor->elementRows(), 69);
    EXPECT_EQ(label("lbsubselem(69)"), "50-20");

    dialogs.clear();
    down("udelemsubs(1)");
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Número mínimo de elementos en subsistema = 1"});
    EXPECT_EQ(text("txtelemsubs(1)"), "1");
    EXPECT_EQ(editor->elementRows(), 69);
}

TEST_F(EditorTest, PathLimitsShowTheirMessages) {
    down("udcaminos");
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Número mínimo de caminos = 1"});
    EXPECT_EQ(data().pathCount, 1);
    EXPECT_EQ(editor->pathRows(), 1);

    dialogs.clear();
    up("udelemcams(1)", 12);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    up("udelemcams(1)");
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Número máximo de elementos = 13"});
    EXPECT_EQ(text("txtelemcams(1)"), "13");
    EXPECT_EQ(data().paths[1].count, 13);
    EXPECT_EQ(editor->pathEntryRows(), 13);

    dialogs.clear();
    down("udelemcams(1)", 12);
    down("udelemcams(1)");
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Número mínimo de elementos = 1"});
    EXPECT_EQ(editor->pathEntryRows(), 1);

    dialogs.clear();
    up("udcaminos", 50);
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Número máximo de caminos = 50"});
    EXPECT_EQ(data().pathCount, 50);
    EXPECT_EQ(editor->pathRows(), 50);
    EXPECT_EQ(editor->pathEntryRows(), 50);
}

TEST_F(EditorTest, HoldingAnArrowAddsOneRow) {
    chooseStructure(3);
    QToolButton* arrow = control<farvik::editor::SpinArrows>("udsubsistemas")->upButton();
    QTest::mousePress(arrow, Qt::LeftButton);
    QTest::qWait(3 * arrow->autoRepeatDelay());  // long past any repeat
    QTest::mouseRelease(arrow, Qt::LeftButton);
    EXPECT_EQ(editor->subsystemRows(), 2);
    QTest::keyClick(box("txtsubsistemas"), Qt::Key_Up, Qt::NoModifier);
    QTest::keyPress(box("txtsubsistemas"), Qt::Key_Up, Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(box("txtsubsistemas"), &repeat);
    EXPECT_EQ(editor->subsystemRows(), 4);
}

TEST_F(EditorTest, ElementListScrollsBeyondFiveRows) {
    chooseStructure(3);
    up("udsubsistemas", 4);
    auto* bar = control<QScrollBar>("VScroll2");
    EXPECT_TRUE(bar->isHidden());
    up("udsubsistemas");
    ASSERT_EQ(editor->elementRows(), 6);
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->maximum(), 1);

    const int pitch = farvik::twipsToPixels(463, *editor);
    bar->setValue(1);
    EXPECT_EQ(control("frmscroll2")->y(), -pitch);
    EXPECT_EQ(control("frmscroll2")->mapTo(editor.get(), QPoint()).y() + pitch,
              control("frmfondo2")->mapTo(editor.get(), QPoint()).y());
    EXPECT_EQ(control(at("lbsubselem", 2))->parentWidget()->y(), pitch);

    down("udsubsistemas");
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(bar->maximum(), 0);
    EXPECT_EQ(control("frmscroll2")->y(), 0);
}

TEST_F(EditorTest, PathEntryListScrollsWithEightEntries) {
    up("udcaminos");
    up("udelemcams(1)", 3);
    up("udelemcams(2)", 3);
    ASSERT_EQ(editor->pathEntryRows(), 8);
    auto* bar = control<QScrollBar>("VScroll22");
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->maximum(), 3);
    EXPECT_EQ(label("lbcamino(2)"), "2");
    EXPECT_EQ(entry(2, 1).key, 5);
    EXPECT_EQ(control<QLabel>("lbcamino(2)")->parentWidget(), box("txtcamino(5)")->parentWidget());
}

TEST_F(EditorTest, RaisingAPathKeepsEntryValues) {
    up("udcaminos");
    up("udelemcams(2)");
    box("txtcamino(1)")->setText("4");
    box("txtcamino(2)")->setText("5");
    box("txtcamino(3)")->setText("6");
    up("udelemcams(1)");
    EXPECT_EQ(entry(1, 1).params[1], 4.0);
    EXPECT_EQ(entry(1, 2).params[1], 0.0);
    EXPECT_EQ(entry(2, 1).key, 3);
    EXPECT_EQ(entry(2, 1).params[1], 5.0);
    EXPECT_EQ(entry(2, 2).params[1], 6.0);
    EXPECT_EQ(text("txtcamino(3)"), "5");
    EXPECT_EQ(text("txtcamino(4)"), "6");
}

TEST_F(EditorTest, SwitchToGeneralKeepsFirstElementAndPaths) {
    chooseStructure(3);
    up("udsubsistemas", 2);
    up("udelemsubs(1)");
    control<QComboBox>("cmbfallo(1)")->setCurrentIndex(1);
    box("txtparam1(1)")->setText("3");
    box("txtparam2(1)")->setText("4");
    up("udcaminos");
    box("txtcamino(2)")->setText("2");
    markClean();

    chooseStructure(5);
    EXPECT_EQ(data().systemType, 5);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(data().subsystemCount, 1);
    EXPECT_EQ(data().elementCount, 1);
    EXPECT_EQ(data().subsystems.size(), 2u);
    ASSERT_EQ(editor->subsystemRows(), 1);
    ASSERT_EQ(editor->elementRows(), 1);
    EXPECT_EQ(label("lbsubselem(1)"), "1");
    EXPECT_EQ(choice(1), "Weibull");
    EXPECT_EQ(text("txtparam1(1)"), "3");
    EXPECT_EQ(text("txtparam2(1)"), "4");
    EXPECT_EQ(element(1, 1).params[2], 4.0);
    EXPECT_FALSE(control("frmfondo1")->isVisible());
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), "Elementos");
    EXPECT_EQ(label("Label3"), "Nº de Elementos:");
    EXPECT_TRUE(box("txtsubsistemas")->isEnabled());
    EXPECT_EQ(text("txtsubsistemas"), "1");
    EXPECT_TRUE(control<QTabBar>("tabb")->isEnabled());
    EXPECT_EQ(data().pathCount, 2);
    EXPECT_EQ(editor->pathEntryRows(), 2);
    EXPECT_EQ(entry(2, 1).params[1], 2.0);

    // Each element of a general system is named by its number alone.
    up("udsubsistemas", 2);
    EXPECT_EQ(label("lbsubselem(2)"), "2");
    EXPECT_EQ(label("lbsubselem(3)"), "3");
    EXPECT_FALSE(control<QScrollBar>("VScroll1")->isVisible());

    // Back to series: the element dropped by the switch does not come back.
    chooseStructure(1);
    up("udelemsubs(1)");
    EXPECT_EQ(label("lbsubselem(2)"), "1-2");
    EXPECT_EQ(choice(2), "Exponencial");
    EXPECT_EQ(element(1, 2).params[1], 0.0);
    EXPECT_TRUE(control("frmfondo1")->isVisible());
}
