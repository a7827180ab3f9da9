// The exact check's table as shown, printed and exported: no figure is a negative zero, and
// each duplication's gain has its standard error and z.
#include "results/exact_check_table.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <cmath>

#include "results/axis_ticks.h"
#include "results/graph_range.h"

namespace farvik {
namespace {

// Every token of a text that reads as a number equal to zero, written with a minus sign.
QStringList negativeZeros(const QString& text) {
    QStringList found;
    for (const QString& token :
         text.split(QRegularExpression(QStringLiteral("[\\s,;()*]+")), Qt::SkipEmptyParts)) {
        bool number = false;
        const double v =
            QString(token).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&number);
        if (number && v == 0 && token.startsWith(QLatin1Char('-'))) found << token;
    }
    return found;
}

// A comparison whose figures round to zero from below: an exact R of -0 (a normal of
// deviation 0 just past its mean), z values a hair below zero, a gain of -0.
analysis::Comparison nearZero() {
    analysis::Comparison c;
    c.trials = 2000;
    c.reliability.push_back({100.5, analysis::compareValue(0.0, -0.0, 0.0)});
    c.reliability.push_back({99, analysis::compareValue(0.9999999, 1.0, 300)});
    c.meanLife = analysis::compareValue(100 - 1e-5, 100, 5);
    analysis::Comparison::Duplication d;
    d.label = "1-1";
    d.meanLife = analysis::compareValue(100 - 1e-5, 100, 5);
    d.simulatedGain = -0.0;
    d.exactGain = -0.0;
    d.gain = analysis::compareValue(-0.0, -1e-6, 2.0);
    d.simulatedBest = d.exactBest = true;
    c.duplications.push_back(d);
    return c;
}

TEST(ExactCheckTable, NoFigureIsANegativeZero) {
    const ExactCheckTable t = tableOf(nearZero());
    EXPECT_EQ(t.rows[0].cells[2], QStringLiteral("0"));  // the exact R of -0
    EXPECT_EQ(t.rows[1].cells[4], QStringLiteral("0.00"));
    EXPECT_EQ(t.rows[2].cells[4], QStringLiteral("0.00"));
    for (const auto& row : t.rows) EXPECT_TRUE(negativeZeros(row.cells.join(' ')).isEmpty());
    EXPECT_TRUE(negativeZeros(textOf(t)).isEmpty())
        << negativeZeros(textOf(t)).join(' ').toStdString();
    for (CsvFlavour f : {CsvFlavour::Comma, CsvFlavour::Semicolon}) {
        const QString csv = QString::fromUtf8(csvOf(t, f));
        EXPECT_TRUE(negativeZeros(csv).isEmpty()) << negativeZeros(csv).join(' ').toStdString();
    }
    // The same figures in the graph's labels.
    EXPECT_EQ(fixedNumber(-0.004, 2), QStringLiteral("0.00"));
    EXPECT_EQ(roundTickLabel(-1e-18, 0.05), QStringLiteral("0.00"));
    EXPECT_EQ(shownZ(-1e-9), QStringLiteral("0.00"));
    EXPECT_EQ(shownFigure(-0.0), QStringLiteral("0"));
    // The check itself finds what it must.
    EXPECT_EQ(negativeZeros(QStringLiteral("R -0 and -0.00, not -0.01")),
              (QStringList{"-0", "-0.00"}));
}

TEST(ExactCheckTable, DuplicationRowsCarryTheGainsStandardErrorAndZ) {
    const ExactCheckTable t = tableOf(nearZero());
    ASSERT_EQ(t.headers.size(), 10);
    EXPECT_EQ(t.headers[7], QStringLiteral("Error estándar de la mejora"));
    EXPECT_EQ(t.headers[8], QStringLiteral("z de la mejora"));
    const auto& dup = t.rows.last();
    EXPECT_EQ(dup.cells[7], QStringLiteral("2"));
    EXPECT_EQ(dup.cells[8], QStringLiteral("0.00"));
    // Values without a gain leave those cells empty.
    EXPECT_EQ(t.rows[2].cells[7], QStringLiteral("-"));
    EXPECT_FALSE(t.rows[2].exportRow[7].number.has_value());
    EXPECT_TRUE(textOf(t).contains(QStringLiteral("e.e. 2   z 0.00")));
}

TEST(ExactCheckTable, BoundsStandInForTheExactValuesOfASystemOutOfReach) {
    analysis::SimulatedSummary s;
    s.trials = 10000;  // standard errors of 0.003 to 0.005 here
    s.reliability = {{100, 0.95}, {200, 0.5}, {300, 0.42}, {400, 0.01}};
    const std::vector<analysis::ReliabilityBounds> b = {
        {0.9, 0.97}, {0.4, 0.6}, {0.45, 0.7}, {0.0, 0.005}};
    const ExactCheckTable t = tableOfBounds(QStringLiteral("pasaría de 1000000 nodos"), s, b);
    EXPECT_TRUE(t.bounds);
    EXPECT_EQ(t.headers, QStringList({"Valor", "Simulado", "Cota inferior", "Cota superior",
                                      "Más de 4 e.e."}));
    EXPECT_TRUE(t.heading.startsWith(QStringLiteral(
        "El sistema es demasiado grande para el cálculo exacto: pasaría de 1000000 nodos.")));
    ASSERT_EQ(t.rows.size(), 4);
    EXPECT_EQ(t.rows[0].cells, QStringList({"R(100)", "0.95", "0.9", "0.97", ""}));
    // Inside, inside, 0.03 below the lower bound (6 e.e.), 0.005 above the upper (5 e.e.).
    EXPECT_FALSE(t.rows[0].marked);
    EXPECT_FALSE(t.rows[1].marked);
    EXPECT_TRUE(t.rows[2].marked);
    EXPECT_EQ(t.rows[2].cells[4], QStringLiteral("*"));
    EXPECT_TRUE(t.rows[3].marked);
    // 4 e.e. at the bound itself: 0.4 - 0.019 is not beyond it.
    s.reliability = {{200, 0.382}};
    EXPECT_FALSE(tableOfBounds(QString(), s, {{0.4, 0.6}}).rows[0].marked);

    const QString text = textOf(t);
    EXPECT_TRUE(text.contains(QStringLiteral("Cota inferior"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("R(300)"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Exacto")));
    const QByteArray csv = csvOf(t, CsvFlavour::Comma);
    EXPECT_TRUE(csv.contains("Valor,Simulado,Cota inferior,Cota superior,")) << csv.data();
    // 17 digits, the mark last.
    EXPECT_TRUE(csv.contains("R(200),0.5,0.40000000000000002,0.59999999999999998,\r\n"))
        << csv.data();
    EXPECT_TRUE(csv.contains(",0,0.0050000000000000001,*\r\n")) << csv.data();
}

}  // namespace
}  // namespace farvik
