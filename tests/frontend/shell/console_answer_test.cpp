// An answer with a decimal comma is kept from the engine, which would read another number.
#include "shell/console_answer.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "shell/frmconsola.h"

namespace farvik {
namespace {

TEST(ConsoleAnswer, ACommaBetweenDigitsIsADecimalComma) {
    for (const char* answer : {"100,5", " 1,25 ", "0,5E3", "12,3,4"})
        EXPECT_TRUE(holdsDecimalComma(QString::fromUtf8(answer))) << answer;
    // The engine's own separators: a comma that ends a value before a blank or a word.
    for (const char* answer : {"100", "100.5", "100, 5", "100 ,5", ",5", "5,", "1,a", ""})
        EXPECT_FALSE(holdsDecimalComma(QString::fromUtf8(answer))) << answer;
    EXPECT_EQ(decimalCommaNotice(QStringLiteral(" 100,5 ")),
              QStringLiteral("La respuesta «100,5» no se ha enviado: escribe los decimales con "
                             "punto (100.5).\n"));
}

TEST(ConsoleAnswer, TheConsoleSendsNothingForADecimalComma) {
    frmconsola console(QStringLiteral("SIS.DAT"));
    QSignalSpy sent(&console, &frmconsola::lineEntered);
    console.display(QStringLiteral(" DAME EL TIEMPO 1:"));
    QTest::keyClicks(console.txtentrada(), QStringLiteral("100,5"));
    QTest::keyClick(console.txtentrada(), Qt::Key_Return);
    EXPECT_EQ(sent.count(), 0);
    EXPECT_EQ(console.txtentrada()->text(), QStringLiteral("100,5"));
    EXPECT_EQ(console.txtconsola()->toPlainText(),
              QStringLiteral(" DAME EL TIEMPO 1:\nLa respuesta «100,5» no se ha enviado: escribe "
                             "los decimales con punto (100.5).\n"));

    console.txtentrada()->setText(QStringLiteral("100.5"));
    QTest::keyClick(console.txtentrada(), Qt::Key_Return);
    ASSERT_EQ(sent.count(), 1);
    EXPECT_EQ(sent.at(0).at(0).toString(), QStringLiteral("100.5"));
    EXPECT_TRUE(console.txtentrada()->text().isEmpty());
}

}  // namespace
}  // namespace farvik
