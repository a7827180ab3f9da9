// Distributions, parameter and path-entry boxes: what is shown, typed, pasted and stored.
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QMenu>

#include "editor/filtered_line_edit.h"
#include "editor_fixture.h"

TEST_F(EditorTest, DistributionDecidesTheParameterBoxes) {
    control<QComboBox>("cmbfallo(1)")->setCurrentIndex(1);
    EXPECT_EQ(element(1, 1).distribution, 1);
    EXPECT_TRUE(box("txtparam2(1)")->isVisible());
    EXPECT_FALSE(box("txtparam3(1)")->isVisible());
    box("txtparam2(1)")->setText("7");
    box("txtparam3(1)")->setText("9");  // only a file can put a value here
    EXPECT_EQ(element(1, 1).params[2], 7.0);

    markClean();
    control<QComboBox>("cmbfallo(1)")->setCurrentIndex(0);
    EXPECT_TRUE(document.isModified());
    EXPECT_FALSE(box("txtparam2(1)")->isVisible());
    EXPECT_EQ(text("txtparam2(1)"), "0");
    EXPECT_EQ(element(1, 1).params[2], 0.0);
    EXPECT_EQ(element(1, 1).params[3], 0.0);
}

TEST_F(EditorTest, ParameterBoxTakesOneDecimalNumber) {
    clear("txtparam1(1)");
    markClean();
    type("txtparam1(1)", "1.5");
    EXPECT_EQ(element(1, 1).params[1], 1.5);
    EXPECT_TRUE(document.isModified());
    type("txtparam1(1)", ".a-,e+ ");
    EXPECT_EQ(text("txtparam1(1)"), "1.5");

    // Deleting back character by character: an empty box keeps the last number, 1.
    backspace("txtparam1(1)");
    EXPECT_EQ(text("txtparam1(1)"), "1.");
    backspace("txtparam1(1)", 2);
    EXPECT_EQ(text("txtparam1(1)"), "");
    EXPECT_EQ(element(1, 1).params[1], 1.0);
}

TEST_F(EditorTest, FullParameterBoxTakesOnlyBackspace) {
    clear("txtparam1(1)");
    type("txtparam1(1)", "12345678");
    EXPECT_EQ(element(1, 1).params[1], 12345678.0);
    markClean();
    type("txtparam1(1)", "9");
    box("txtparam1(1)")->selectAll();
    type("txtparam1(1)", "9");  // replacing the selection would fit, but the box is full
    EXPECT_EQ(text("txtparam1(1)"), "12345678");
    EXPECT_TRUE(document.isModified());  // refused keys still count as edits
    backspace("txtparam1(1)");
    EXPECT_EQ(text("txtparam1(1)"), "");
    EXPECT_EQ(element(1, 1).params[1], 12345678.0);
}

TEST_F(EditorTest, TextThatIsNoNumberLeavesTheValue) {
    box("txtparam1(1)")->setText("4.25");
    clear("txtparam1(1)");
    markClean();
    type("txtparam1(1)", ".");
    EXPECT_EQ(text("txtparam1(1)"), ".");
    EXPECT_EQ(element(1, 1).params[1], 4.25);
    type("txtparam1(1)", "5");
    EXPECT_EQ(element(1, 1).params[1], 0.5);

    box("txtcamino(1)")->setText("3");
    box("txtcamino(1)")->setText("x");  // no key could give this; a program still might
    EXPECT_EQ(entry(1, 1).params[1], 3.0);
}

TEST_F(EditorTest, PastedTextThatTheFilterWouldAlterIsRefused) {
    // Taken character by character this would have given 153.27.
    QApplication::clipboard()->setText(QStringLiteral("-1,5e3x.2.7"));
    box("txtparam1(1)")->setText("4");
    clear("txtparam1(1)");
    QTest::keySequence(box("txtparam1(1)"), QKeySequence::Paste);
    EXPECT_EQ(text("txtparam1(1)"), "");
    EXPECT_EQ(element(1, 1).params[1], 4.0);

    // The context menu's paste goes the same way.
    QApplication::clipboard()->setText(QStringLiteral("12ab345"));
    auto* path = control<farvik::editor::FilteredLineEdit>("txtcamino(1)");
    path->setText(QString());
    std::unique_ptr<QMenu> menu(path->createFilteredContextMenu());
    QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    EXPECT_EQ(path->text(), "");
    QApplication::clipboard()->setText(QStringLiteral("42"));
    paste->trigger();
    EXPECT_EQ(path->text(), "42");
    EXPECT_EQ(entry(1, 1).params[1], 42.0);

    QApplication::clipboard()->setText(QStringLiteral("99999999999"));
    box("txtpruebas")->setText(QString());
    QTest::keySequence(box("txtpruebas"), QKeySequence::Paste);
    EXPECT_EQ(text("txtpruebas"), "");
}

TEST_F(EditorTest, PathEntryTakesAnyKeyOfUpToThreeDigits) {
    clear("txtcamino(1)");
    markClean();
    type("txtcamino(1)", "7");
    EXPECT_EQ(entry(1, 1).params[1], 7.0);  // even with a single element in the system
    EXPECT_TRUE(document.isModified());
    type("txtcamino(1)", ".a12");
    EXPECT_EQ(text("txtcamino(1)"), "712");
    type("txtcamino(1)", "3");
    EXPECT_EQ(text("txtcamino(1)"), "712");
    EXPECT_EQ(entry(1, 1).params[1], 712.0);
}

TEST_F(EditorTest, FocusSelectsTheWholeText) {
    box("txtparam1(1)")->setText("2.75");
    for (const char* name : {"txtparam1(1)", "txtcamino(1)", "txtpruebas"}) {
        QLineEdit* edit = box(name);
        edit->deselect();
        QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
        QApplication::sendEvent(edit, &focus);
        EXPECT_EQ(edit->selectedText(), edit->text()) << name;
        EXPECT_EQ(edit->selectionStart(), 0) << name;
    }
}

TEST_F(EditorTest, RebuiltRowShowsItsStoredLognormal) {
    chooseStructure(3);
    up("udsubsistemas");
    farvik::ElementRec second = element(2, 1);
    second.distribution = 3;
    second.params = {0, 100, 20, 0};
    ASSERT_TRUE(document.editElement(second.key, second, QString()));
    up("udelemsubs(1)");  // rebuilds every element row from its record
    EXPECT_EQ(choice(3), "Lognormal");
    EXPECT_EQ(text("txtparam1(3)"), "100");
    EXPECT_EQ(text("txtparam2(3)"), "20");
    EXPECT_TRUE(box("txtparam2(3)")->isVisible());
    EXPECT_FALSE(box("txtparam3(3)")->isVisible());
    EXPECT_EQ(element(2, 1).params[2], 20.0);
}
