// The message box of the Qt seam, shown without its modal run and dismissed as a user does.
#include "base/message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

namespace farvik {
namespace {

std::unique_ptr<QMessageBox> shown(MessageButtons buttons) {
    auto box = buildMessageBox(nullptr, MessageIcon::Question, buttons, QString(),
                               QStringLiteral("El archivo de datos ha cambiado. ¿Deseas "
                                              "guardar los cambios?"));
    box->show();
    EXPECT_TRUE(box->isVisible());
    return box;
}

// Escape as the keyboard delivers it: to the button that has the focus, from which it goes
// on to the box.
void pressEscape(QMessageBox& box) {
    QWidget* target = box.focusWidget() ? box.focusWidget() : &box;
    QTest::keyClick(target, Qt::Key_Escape);
}

QAbstractButton* buttonCaptioned(QMessageBox& box, const QString& caption) {
    for (QAbstractButton* b : box.buttons())
        if (b->text() == caption) return b;
    return nullptr;
}

TEST(MessageBoxTest, EscapeOrTheCloseControlAnswersNothingAtEveryQuestion) {
    for (MessageButtons set :
         {MessageButtons::YesNo, MessageButtons::YesNoCancel, MessageButtons::OkCancel}) {
        SCOPED_TRACE(static_cast<int>(set));
        auto escaped = shown(set);
        pressEscape(*escaped);
        EXPECT_FALSE(escaped->isVisible());
        EXPECT_EQ(answerOf(*escaped, set), MessageAnswer::Cancel);

        auto closed = shown(set);
        closed->close();  // what the title bar's close control does
        EXPECT_FALSE(closed->isVisible());
        EXPECT_EQ(answerOf(*closed, set), MessageAnswer::Cancel);
    }
    // A box that only tells something is acknowledged however it is closed.
    auto told = shown(MessageButtons::Ok);
    pressEscape(*told);
    EXPECT_FALSE(told->isVisible());
    EXPECT_EQ(answerOf(*told, MessageButtons::Ok), MessageAnswer::Ok);
}

TEST(MessageBoxTest, EachButtonGivesItsOwnAnswerWithSpanishCaptions) {
    struct Case {
        MessageButtons set;
        const char* caption;
        MessageAnswer answer;
    };
    const Case cases[] = {
        {MessageButtons::YesNo, "&Sí", MessageAnswer::Yes},
        {MessageButtons::YesNo, "&No", MessageAnswer::No},
        {MessageButtons::YesNoCancel, "&No", MessageAnswer::No},
        {MessageButtons::YesNoCancel, "Cancelar", MessageAnswer::Cancel},
        {MessageButtons::OkCancel, "Aceptar", MessageAnswer::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        auto box = shown(c.set);
        QAbstractButton* button = buttonCaptioned(*box, QString::fromUtf8(c.caption));
        ASSERT_NE(button, nullptr);
        button->click();
        EXPECT_FALSE(box->isVisible());
        EXPECT_EQ(answerOf(*box, c.set), c.answer);
    }
    // The exit question shows Sí and No only.
    auto exit = shown(MessageButtons::YesNo);
    QStringList captions;
    for (QAbstractButton* b : exit->buttons()) captions << b->text();
    captions.sort();
    EXPECT_EQ(captions, QStringList({"&No", "&Sí"}));
}

}  // namespace
}  // namespace farvik
