#include "base/number_locale.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace farvik {
namespace {

std::string printed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// A user whose desktop writes "1,50": the separators are ours all the same.
TEST(NumberLocale, SeparatorsAreDotAndCommaWhateverTheUsersLocale) {
    QTemporaryDir locales;
    const int built = QProcess::execute(
        QStringLiteral("localedef"),
        {"-i", "de_DE", "-f", "UTF-8", locales.filePath(QStringLiteral("de_DE.UTF-8"))});
    if (built != 0) GTEST_SKIP() << "localedef cannot build de_DE here";
    setenv("LOCPATH", locales.path().toLocal8Bit().constData(), 1);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE locale not usable";
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_EQ(printed(1.5), "1,50");

    fijar_separadores();
    EXPECT_EQ(printed(1.5), "1.50");
    EXPECT_DOUBLE_EQ(std::stod("2.25"), 2.25);
    const QLocale numbers;
    EXPECT_EQ(numbers.decimalPoint(), QStringLiteral("."));
    EXPECT_EQ(numbers.groupSeparator(), QStringLiteral(","));
    EXPECT_EQ(numbers.toString(1234.5, 'f', 1), QStringLiteral("1234.5"));
    EXPECT_DOUBLE_EQ(numbers.toDouble(QStringLiteral("0.75")), 0.75);

    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
}

}  // namespace
}  // namespace farvik
