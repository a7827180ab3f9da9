// Reading the reliability table into the three curves, and their ranges.
#include "results/reliability_curves.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "engine_results.h"
#include "results/graph_range.h"

namespace farvik {
namespace {

// One row of the table as the engine lays it out.
QByteArray row(double lower, double upper, int failures, double reliability, double rate) {
    return QString::asprintf("%15.5f%15.5f%8d%15.5f%15.5f", lower, upper, failures, reliability,
                             rate)
        .toLatin1();
}

TEST(ReliabilityCurvesTest, ReadsTheTableTheEngineWrote) {
    QTemporaryDir dir;
    ASSERT_TRUE(runExample(dir.path(), QStringLiteral("SERIE")));
    QFile file(QDir(dir.path()).filePath(QStringLiteral("tablafia.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();

    // The rows as the test reads them: every line after the five heading lines.
    QList<QList<double>> rows;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 5; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        if (fields.size() != 5) continue;
        QList<double> values;
        for (const QByteArray& f : fields) values << f.toDouble();
        rows << values;
    }
    ASSERT_GT(rows.size(), 10);

    const ReliabilityCurves curves = readReliabilityTable(text);
    ASSERT_EQ(curves.n, rows.size() + 1);
    const Curve& fiab = curves.curves[kReliabilityGraph];
    const Curve& hist = curves.curves[kFailureCountGraph];
    const Curve& failureRateCurve = curves.curves[kFailureRateGraph];
    for (const Curve* c : {&fiab, &hist, &failureRateCurve})
        ASSERT_EQ(c->points.size(), rows.size() + 1);

    EXPECT_EQ(fiab.points[0], QPointF(0, 1));
    EXPECT_EQ(hist.points[0], QPointF(0, 0));
    EXPECT_EQ(failureRateCurve.points[0], QPointF(0, 0));
    double failures = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QList<double>& r = rows[i];
        EXPECT_EQ(fiab.points[i + 1], QPointF(r[1], r[3])) << "row " << i;
        EXPECT_EQ(hist.points[i + 1], QPointF(r[1], r[2])) << "row " << i;
        // The rate belongs to the middle of its interval.
        EXPECT_DOUBLE_EQ(failureRateCurve.points[i + 1].x(), (r[0] + r[1]) / 2) << "row " << i;
        EXPECT_EQ(failureRateCurve.points[i + 1].y(), r[4]) << "row " << i;
        failures += r[2];
    }
    EXPECT_EQ(failures, 1000);  // every trial of SERIE fails once

    EXPECT_EQ(fiab.xTitle, QStringLiteral("Tiempo"));
    EXPECT_EQ(fiab.yTitle, QStringLiteral("Fiabilidad"));
    EXPECT_EQ(hist.yTitle, QStringLiteral("Nº de fallos"));
    EXPECT_EQ(failureRateCurve.yTitle, QStringLiteral("Tasa de fallo"));

    // Ranges: the reliability falls from 1 to 0 over the whole table.
    EXPECT_EQ(fullRange(fiab), (GraphRange{0, 0, rows.last()[1], 1}));
    double most = 0, highestRate = 0;
    for (const QList<double>& r : rows) {
        most = std::max(most, r[2]);
        highestRate = std::max(highestRate, r[4]);
    }
    EXPECT_EQ(fullRange(hist), (GraphRange{0, 0, rows.last()[1], most}));
    EXPECT_EQ(fullRange(failureRateCurve),
              (GraphRange{0, 0, failureRateCurve.points.back().x(), highestRate}));
}

TEST(ReliabilityCurvesTest, ATableWithoutRowsCannotBeDrawn) {
    for (const QByteArray& text : {tableText({}), QByteArray()}) {
        const ReliabilityCurves curves = readReliabilityTable(text);
        EXPECT_EQ(curves.n, 1);
        for (const Curve& c : curves.curves) {
            ASSERT_EQ(c.points.size(), 1u);
            EXPECT_EQ(rangeRefusal(fullRange(c)),
                      QStringLiteral("El intervalo en el eje y es cero."));
        }
    }
}

TEST(ReliabilityCurvesTest, RowsAreFieldsBetweenBlanksWhateverTheLineEnds) {
    // Line feeds alone, a trailing empty line, a field with trailing garbage, and a last
    // row cut short by the end of the file.
    QByteArray text = tableText({}).replace("\r\n", "\n");
    text += row(0, 10, 4, 0.6, 0.08) + "\n";
    text += "  10.00000 20.00000x  6  0.00000  abc\n\n";
    text += "  20.00000 30.00000  0\n";
    const ReliabilityCurves curves = readReliabilityTable(text);
    ASSERT_EQ(curves.n, 3);
    EXPECT_EQ(curves.curves[kReliabilityGraph].points[1], QPointF(10, 0.6));
    EXPECT_EQ(curves.curves[kReliabilityGraph].points[2], QPointF(20, 0));
    EXPECT_EQ(curves.curves[kFailureCountGraph].points[2], QPointF(20, 6));
    EXPECT_EQ(curves.curves[kFailureRateGraph].points[1], QPointF(5, 0.08));
    EXPECT_EQ(curves.curves[kFailureRateGraph].points[2], QPointF(15, 0));
}

TEST(ReliabilityCurvesTest, RangesTakeEveryPointAndTheHistogramStartsAtZero) {
    ReliabilityCurves curves =
        readReliabilityTable(tableText({row(0, 10, 3, 0.7, 0.035), row(10, 20, 7, 0.0, 0.2)}));
    EXPECT_EQ(fullRange(curves.curves[kReliabilityGraph]), (GraphRange{0, 0, 20, 1}));
    EXPECT_EQ(fullRange(curves.curves[kFailureCountGraph]), (GraphRange{0, 0, 20, 7}));
    // Point 0 is not drawn on the rate curve, yet it holds the range down to 0.
    EXPECT_EQ(fullRange(curves.curves[kFailureRateGraph]), (GraphRange{0, 0, 15, 0.2}));

    // The histogram's range starts at time 0 even when no point lies there.
    Curve& hist = curves.curves[kFailureCountGraph];
    for (QPointF& p : hist.points) p.rx() += 5;
    computeRanges(curves);
    EXPECT_EQ(fullRange(hist), (GraphRange{0, 0, 25, 7}));
    EXPECT_EQ(fullRange(curves.curves[kReliabilityGraph]), (GraphRange{0, 0, 20, 1}));
}

}  // namespace
}  // namespace farvik
