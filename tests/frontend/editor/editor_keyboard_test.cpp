// The editor from the keyboard: the order Tab walks, pastes from the clipboard, and the seed
// and trials arrows held down.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTabBar>
#include <algorithm>

#include "editor_fixture.h"

namespace {

using farvik::editor::SpinArrows;

class KeyboardTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    }

    static QString focused() {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QStringLiteral("(none)");
    }
    // Real Tab (or Shift+Tab) presses sent to whatever holds the focus; the names of the
    // controls the focus lands on.
    static QStringList walk(int presses, bool back = false) {
        QStringList seen;
        for (int n = 0; n < presses; ++n) {
            QWidget* w = QApplication::focusWidget();
            if (!w) break;
            if (back)
                QTest::keyClick(w, Qt::Key_Backtab, Qt::ShiftModifier);
            else
                QTest::keyClick(w, Qt::Key_Tab);
            seen << focused();
        }
        return seen;
    }
    void focus(const QString& name) {
        control(name)->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(focused(), name);
    }
    static QStringList names(const char* base, int from, int to) {
        QStringList list;
        for (int i = from; i <= to; ++i) list << QStringLiteral("%1(%2)").arg(base).arg(i);
        return list;
    }

    // A general system of five elements and the four paths of a bridge: 1-2, 3-4, 1-5-4,
    // 3-5-2, so path entries 1..10.
    void makeBridge() {
        chooseStructure(5);
        up("udsubsistemas", 4);
        up("udcaminos", 3);
        up("udelemcams(3)");
        up("udelemcams(4)");
        up("udelemcams(1)");
        up("udelemcams(2)");
        up("udelemcams(3)");
        up("udelemcams(4)");
        ASSERT_EQ(editor->pathEntryRows(), 10);
    }

    void paste(const QString& name, const QString& clip) {
        QApplication::clipboard()->setText(clip);
        QTest::keySequence(box(name), QKeySequence::Paste);
    }
};

TEST_F(KeyboardTest, TabWalksAGeneralSystemInReadingOrder) {
    makeBridge();
    control<QComboBox>("cmbfallo(2)")->setCurrentIndex(1);  // Weibull: two boxes
    const QStringList left = {"optsistemas(5)", "optred(0)", "txtsemilla", "txtpruebas", "tabb"};

    focus("optsistemas(5)");
    QStringList elements = left.mid(1) + QStringList{"txtsubsistemas"};
    for (int k = 1; k <= 5; ++k) {
        elements << QStringLiteral("cmbfallo(%1)").arg(k) << QStringLiteral("txtparam1(%1)").arg(k);
        if (k == 2) elements << "txtparam2(2)";
    }
    elements << "optsistemas(5)";  // round again
    EXPECT_EQ(walk(elements.size()), elements);

    control<QTabBar>("tabb")->setCurrentIndex(1);
    focus("optsistemas(5)");
    const QStringList paths = left.mid(1) + QStringList{"txtcaminos"} +
                              names("txtelemcams", 1, 4) + names("txtcamino", 1, 10) +
                              QStringList{"optsistemas(5)"};
    EXPECT_EQ(walk(paths.size()), paths);

    // Shift+Tab walks the same stops the other way.
    QStringList back = paths;
    std::reverse(back.begin(), back.end());
    back.removeFirst();
    back << "optsistemas(5)";
    EXPECT_EQ(walk(back.size(), true), back);
}

TEST_F(KeyboardTest, TheKeysOfABridgeTypedWithTabLandInTheirEntries) {
    makeBridge();
    control<QTabBar>("tabb")->setCurrentIndex(1);
    focus("txtcamino(1)");
    const QString keys = "1234154352";
    for (QChar key : keys) {
        QTest::keyClicks(QApplication::focusWidget(), QString(key));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QStringList typed;
    for (int e = 1; e <= 10; ++e) typed << text(QStringLiteral("txtcamino(%1)").arg(e));
    EXPECT_EQ(typed.join(","), "1,2,3,4,1,5,4,3,5,2");
    const int expected[4][3] = {{1, 2}, {3, 4}, {1, 5, 4}, {3, 5, 2}};
    for (int p = 1; p <= 4; ++p)
        for (int j = 1; j <= (p <= 2 ? 2 : 3); ++j)
            EXPECT_EQ(entry(p, j).params[1], expected[p - 1][j - 1]) << p << "," << j;
}

TEST_F(KeyboardTest, TabFollowsRowsAddedRemovedAndReused) {
    // Three subsystems of three elements in parallel, in series.
    chooseStructure(3);
    up("udsubsistemas", 2);
    for (int i = 1; i <= 3; ++i) up(QStringLiteral("udelemsubs(%1)").arg(i), 2);
    ASSERT_EQ(editor->elementRows(), 9);

    const auto expected = [&] {
        QStringList list = {"optred(0)", "txtsemilla", "txtpruebas", "txtsubsistemas"};
        list += names("txtelemsubs", 1, editor->subsystemRows());
        for (int k = 1; k <= editor->elementRows(); ++k)
            list << QStringLiteral("cmbfallo(%1)").arg(k)
                 << QStringLiteral("txtparam1(%1)").arg(k);
        return list << "optsistemas(3)";
    };
    focus("optsistemas(3)");
    QStringList all = expected();
    EXPECT_EQ(walk(all.size()), all);

    // One element less in subsystem 2: the rows after it are reused for other elements.
    down("udelemsubs(2)");
    ASSERT_EQ(editor->elementRows(), 8);
    focus("optsistemas(3)");
    all = expected();
    EXPECT_EQ(walk(all.size()), all);

    // A fourth subsystem: its count box comes after the third's, before the elements.
    up("udsubsistemas");
    ASSERT_EQ(editor->subsystemRows(), 4);
    focus("optsistemas(3)");
    all = expected();
    EXPECT_EQ(walk(all.size()), all);

    // Tab onto a row below the five in sight scrolls it into view.
    focus("txtparam1(8)");
    EXPECT_GT(control<QScrollBar>("VScroll2")->value(), 0);
}

TEST_F(KeyboardTest, APasteIsTakenWholeOrNotAtAll) {
    box("txtparam1(1)")->setText("0.5");
    focus("txtparam1(1)");  // selects the whole text
    paste("txtparam1(1)", "0,001");
    EXPECT_EQ(text("txtparam1(1)"), "0.5");
    EXPECT_EQ(element(1, 1).params[1], 0.5);
    paste("txtparam1(1)", "2.5E-3");
    EXPECT_EQ(text("txtparam1(1)"), "0.5");
    paste("txtparam1(1)", "123456789");  // a ninth character
    EXPECT_EQ(text("txtparam1(1)"), "0.5");
    EXPECT_EQ(element(1, 1).params[1], 0.5);

    box("txtparam1(1)")->selectAll();
    paste("txtparam1(1)", "0.001\n");  // a copied line: its line break is no part of it
    EXPECT_EQ(text("txtparam1(1)"), "0.001");
    EXPECT_EQ(element(1, 1).params[1], 0.001);

    // Added at the cursor, a second point would be refused.
    box("txtparam1(1)")->setText("1.");
    box("txtparam1(1)")->end(false);
    paste("txtparam1(1)", "5.2");
    EXPECT_EQ(text("txtparam1(1)"), "1.");
    paste("txtparam1(1)", "25");
    EXPECT_EQ(text("txtparam1(1)"), "1.25");
    EXPECT_EQ(element(1, 1).params[1], 1.25);

    // Path entries and the trials: digits only, three and ten at most.
    box("txtcamino(1)")->selectAll();
    paste("txtcamino(1)", "12a");
    EXPECT_EQ(text("txtcamino(1)"), "0");
    paste("txtcamino(1)", "1234");
    EXPECT_EQ(text("txtcamino(1)"), "0");
    paste("txtcamino(1)", "123");
    EXPECT_EQ(text("txtcamino(1)"), "123");
    EXPECT_EQ(entry(1, 1).params[1], 123.0);

    box("txtpruebas")->selectAll();
    paste("txtpruebas", "2.000");
    EXPECT_EQ(text("txtpruebas"), "1000");
    paste("txtpruebas", "99999999999");
    EXPECT_EQ(text("txtpruebas"), "1000");
    EXPECT_EQ(data().trialCount, 1000);
    paste("txtpruebas", "5000");
    EXPECT_EQ(text("txtpruebas"), "5000");
    EXPECT_EQ(data().trialCount, 5000);
}

TEST_F(KeyboardTest, SeedAndTrialsArrowsStepOnWhileHeld) {
    QToolButton* arrow = control<SpinArrows>("udsemilla")->upButton();
    QTest::mousePress(arrow, Qt::LeftButton);
    QTest::qWait(arrow->autoRepeatDelay() + 40 * arrow->autoRepeatInterval());
    QTest::mouseRelease(arrow, Qt::LeftButton);
    EXPECT_GE(data().seed, 10);
    EXPECT_EQ(text("txtsemilla"), QString::number(data().seed));

    QToolButton* trials = control<SpinArrows>("udpruebas")->downButton();
    QTest::mousePress(trials, Qt::LeftButton);
    QTest::qWait(trials->autoRepeatDelay() + 30 * trials->autoRepeatInterval());
    QTest::mouseRelease(trials, Qt::LeftButton);
    EXPECT_EQ(data().trialCount, 10);  // 1000 down to the end of the range

    // Keys: Up and Down step, held they repeat; Page Up and Page Down step ten at a time.
    box("txtsemilla")->setText("100");
    QTest::keyClick(box("txtsemilla"), Qt::Key_Up);
    for (int n = 0; n < 4; ++n) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(box("txtsemilla"), &repeat);
    }
    EXPECT_EQ(data().seed, 105);
    QTest::keyClick(box("txtsemilla"), Qt::Key_PageUp);
    EXPECT_EQ(data().seed, 115);
    QTest::keyClick(box("txtsemilla"), Qt::Key_PageDown);
    QTest::keyClick(box("txtsemilla"), Qt::Key_Down);
    EXPECT_EQ(data().seed, 104);
    QTest::keyClick(box("txtpruebas"), Qt::Key_PageUp);
    EXPECT_EQ(data().trialCount, 1010);

    // The count arrows keep to one step per press.
    QTest::keyClick(box("txtcaminos"), Qt::Key_PageUp);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(box("txtcaminos"), &repeat);
    EXPECT_EQ(text("txtcaminos"), "1");
}

TEST(SpinArrowsHold, StepsGrowTheLongerAnArrowIsHeld) {
    EXPECT_EQ(SpinArrows::holdMultiplier(0), 1);
    EXPECT_EQ(SpinArrows::holdMultiplier(39), 1);
    EXPECT_EQ(SpinArrows::holdMultiplier(40), 10);
    EXPECT_EQ(SpinArrows::holdMultiplier(79), 10);
    EXPECT_EQ(SpinArrows::holdMultiplier(80), 100);
}

}  // namespace
