// The values written at the grid lines: "####0.00" where neighbours differ in it, more
// decimals or the exponent form where they would not.
#include "results/axis_ticks.h"

#include <gtest/gtest.h>

#include <cmath>

namespace farvik {
namespace {

void expectNeighboursDiffer(const QStringList& labels) {
    ASSERT_EQ(labels.size(), 11);
    for (int i = 1; i < labels.size(); ++i)
        EXPECT_NE(labels[i], labels[i - 1])
            << "grid lines " << i - 1 << " and " << i << ": " << labels.join(' ').toStdString();
}

// Each label reads back as its grid line's value to within half its last digit.
void expectFaithful(const QStringList& labels, double from, double to) {
    for (int i = 0; i < labels.size(); ++i) {
        const double value = tickValue(i, from, to);
        const double read = labels[i].toDouble();
        const NumberForm form = tickForm(from, to);
        const double unit = form.exponent
                                ? std::pow(10.0, std::floor(std::log10(std::abs(value) + 1e-300)) -
                                                     (form.digits - 1))
                                : std::pow(10.0, -form.digits);
        EXPECT_LE(std::abs(read - value), unit / 2 * (1 + 1e-9)) << labels[i].toStdString();
    }
}

TEST(AxisTicksTest, TwoDecimalsWhereTheyAlreadyTellTheLinesApart) {
    EXPECT_EQ(tickForm(0, 1), (NumberForm{false, 2}));
    EXPECT_EQ(tickLabels(0, 1), (QStringList{"0.00", "0.10", "0.20", "0.30", "0.40", "0.50", "0.60",
                                             "0.70", "0.80", "0.90", "1.00"}));
    EXPECT_EQ(tickLabels(0, 2000)[3], QStringLiteral("600.00"));
    EXPECT_EQ(tickForm(0, 1e8), (NumberForm{false, 2}));
    // The ends of the axis are the range itself.
    EXPECT_EQ(tickValue(0, 0.3, 0.7), 0.3);
    EXPECT_EQ(tickValue(10, 0.3, 0.7), 0.7);
}

TEST(AxisTicksTest, MoreDecimalsThenTheExponentFormWhereTwoWouldRepeat) {
    // 0.005 a line: "0.00", "0.01", "0.01" ... with two decimals.
    EXPECT_EQ(tickForm(0, 0.05), (NumberForm{false, 3}));
    EXPECT_EQ(tickForm(0.9, 0.901), (NumberForm{false, 4}));
    EXPECT_EQ(tickForm(0.9, 0.9004), (NumberForm{false, 5}));

    // A failure rate of a few in 100000: every label "0.00" in the old form.
    const QStringList small = tickLabels(0, 2e-5);
    EXPECT_EQ(tickForm(0, 2e-5), (NumberForm{true, 2}));
    EXPECT_EQ(small[0], QStringLiteral("0.0E+00"));
    EXPECT_EQ(small[1], QStringLiteral("2.0E-06"));
    EXPECT_EQ(small[10], QStringLiteral("2.0E-05"));
    expectNeighboursDiffer(small);
    expectFaithful(small, 0, 2e-5);

    for (const auto& [from, to] : std::vector<std::pair<double, double>>{{3e-5, 5e-5},
                                                                         {0.00012, 0.00046},
                                                                         {1e6, 1e6 + 1e-3},
                                                                         {1e6, 1e6 + 1e-6},
                                                                         {123.456, 123.4561},
                                                                         {-2e-5, 0},
                                                                         {0, 1e-12}}) {
        const QStringList labels = tickLabels(from, to);
        expectNeighboursDiffer(labels);
        expectFaithful(labels, from, to);
    }
    EXPECT_EQ(tickForm(1e6, 1e6 + 1e-3), (NumberForm{false, 4}));
    // Below 0.01 more decimals would be mostly zeros.
    EXPECT_EQ(tickForm(0, 0.005), (NumberForm{true, 2}));
    EXPECT_TRUE(tickForm(1e6, 1e6 + 1e-6).exponent);
}

TEST(AxisTicksTest, ThePointerShowsOneDigitMoreThanTheLinesOrFourDecimals) {
    EXPECT_EQ(pointerForm(0, 1), (NumberForm{false, 4}));
    EXPECT_EQ(pointerForm(0, 0.05), (NumberForm{false, 4}));
    EXPECT_EQ(pointerForm(0.9, 0.901), (NumberForm{false, 5}));
    EXPECT_EQ(pointerForm(0, 2e-5), (NumberForm{true, 3}));
    EXPECT_EQ(pointerForm(0, 2e-5).text(1.234e-6), QStringLiteral("1.23E-06"));
    EXPECT_EQ((NumberForm{false, 4}).text(-0.00001), QStringLiteral("0.0000"));
    EXPECT_EQ((NumberForm{true, 2}).text(-0.0), QStringLiteral("0.0E+00"));
}

// A label's length as a fixed-pitch font of `perChar` device units a character gives it.
AxisRoom roomOf(double length, double perChar, double endLabel) {
    AxisRoom room;
    room.length = length;
    room.lowEnd = room.highEnd = endLabel;
    room.gap = perChar;
    room.extent = [perChar](const QString& s) { return perChar * s.size(); };
    return room;
}

// What a reader must be able to trust of an axis: round, labelled, distinct, in order,
// inside the range, clear of the ends and of each other.
void expectTrustworthy(const AxisTicks& t, double from, double to, const AxisRoom& room,
                       bool counts = false) {
    const std::string where = QStringLiteral("[%1, %2] over %3")
                                  .arg(from, 0, 'g', 17)
                                  .arg(to, 0, 'g', 17)
                                  .arg(room.length)
                                  .toStdString();
    ASSERT_EQ(t.values.size(), std::size_t(t.labels.size())) << where;
    EXPECT_LE(t.values.size(), std::size_t(kMostTicks)) << where;
    if (t.values.empty()) return;
    // The step is 1, 2 or 5 times a power of ten, and every value a multiple of it.
    const double power = std::pow(10.0, std::floor(std::log10(t.step) + 1e-9));
    const double mantissa = t.step / power;
    EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                std::abs(mantissa - 5) < 1e-9)
        << where << " step " << t.step;
    if (counts) {
        EXPECT_GE(t.step, 1) << where;
    }
    double previousEnd = -1e300;
    for (std::size_t i = 0; i < t.values.size(); ++i) {
        const double v = t.values[i];
        const QString& label = t.labels[int(i)];
        EXPECT_NEAR(v / t.step, std::round(v / t.step), 1e-6) << where << " " << v;
        EXPECT_GT(v, std::min(from, to)) << where;
        EXPECT_LT(v, std::max(from, to)) << where;
        EXPECT_NEAR(label.toDouble(), v, t.step * 1e-6) << where << " " << label.toStdString();
        EXPECT_FALSE(label.startsWith(QStringLiteral("-0")) && label.toDouble() == 0) << where;
        if (counts) {
            EXPECT_FALSE(label.contains(QLatin1Char('.'))) << label.toStdString();
        }
        const double at = axisPosition(v, from, to, room.length);
        const double half = room.extent(label) / 2;
        EXPECT_GE(at - half, room.lowEnd + room.gap - 1e-9) << where << " " << label.toStdString();
        EXPECT_LE(at + half, room.length - room.highEnd - room.gap + 1e-9) << where;
        EXPECT_GE(at - half, previousEnd + room.gap - 1e-9) << where << " " << label.toStdString();
        previousEnd = at + half;
        if (i > 0) {
            EXPECT_NE(label, t.labels[int(i - 1)]) << where;
        }
    }
}

TEST(RoundTicksTest, EveryRangeFrom1e6DownTo1e7UpGetsRoundLabelledTicks) {
    // A window's plot (7 pixels a character) and a printed page's (60 dots a character).
    const AxisRoom window = roomOf(700, 7, 50), page = roomOf(8000, 60, 420);
    const AxisRoom windowHeight = roomOf(300, 16, 8);  // y: one line a label
    for (int e = -6; e <= 7; ++e) {
        for (double m : {1.0, 1.45, 2.5, 3.7, 7.3}) {
            const double width = m * std::pow(10.0, e);
            for (double offset : {0.0, 0.37 * width, -2.1 * width, 1e3 * width}) {
                const double from = offset, to = offset + width;
                for (const AxisRoom& room : {window, page}) {
                    const AxisTicks t = chooseTicks(from, to, room);
                    expectTrustworthy(t, from, to, room);
                    // Room for several labels: the axis is not left bare.
                    if (offset == 0) {
                        EXPECT_GE(t.values.size(), 2u) << from << " " << to;
                    }
                }
                const AxisRoom yRoom = windowHeight;
                AxisRoom lines = yRoom;
                lines.extent = [](const QString&) { return 16.0; };
                const AxisTicks y = chooseTicks(from, to, lines);
                expectTrustworthy(y, from, to, lines);
                EXPECT_GE(y.values.size(), 3u) << from << " " << to;
            }
        }
    }
}

TEST(RoundTicksTest, ZoomedRangesKeepTheRuleAndTheSeenCase) {
    const AxisRoom room = roomOf(700, 7, 50);
    // The reliability of SERPAR, 0 to 1450: round hundreds, none missing before the end.
    const AxisTicks whole = chooseTicks(0, 1450, room);
    expectTrustworthy(whole, 0, 1450, room);
    EXPECT_EQ(whole.labels, (QStringList{"200", "400", "600", "800", "1000", "1200"}));
    // Zooms: sub-ranges at awkward ends, deeper and deeper.
    double from = 0, to = 1450;
    for (int zoom = 0; zoom < 30; ++zoom) {
        const double width = to - from;
        from += 0.137 * width;
        to -= 0.291 * width;
        const AxisTicks t = chooseTicks(from, to, room);
        expectTrustworthy(t, from, to, room);
        EXPECT_GE(t.values.size(), 2u) << "zoom " << zoom;
    }
    const AxisTicks zoomed = chooseTicks(646.33, 1130.46, room);
    expectTrustworthy(zoomed, 646.33, 1130.46, room);
    EXPECT_EQ(zoomed.labels.first(), QStringLiteral("700"));
}

TEST(RoundTicksTest, CountsAreWholeNumbersAndTightRoomMeansFewerTicks) {
    const AxisRoom room = roomOf(300, 16, 8);
    for (double top : {3.0, 5.0, 17.8 * 10, 11.0, 356.0, 1e5}) {
        const AxisTicks t = chooseTicks(0, top, room, true);
        expectTrustworthy(t, 0, top, room, true);
    }
    EXPECT_EQ(chooseTicks(0, 5, room, true).labels, (QStringList{"1", "2", "3", "4"}));
    // The same axis without room for nine labels takes a coarser step, never a bare label.
    const AxisTicks wide = chooseTicks(0, 1e7, roomOf(700, 7, 60));
    const AxisTicks narrow = chooseTicks(0, 1e7, roomOf(300, 7, 60));
    expectTrustworthy(narrow, 0, 1e7, roomOf(300, 7, 60));
    EXPECT_GT(narrow.step, wide.step);
    EXPECT_GE(narrow.values.size(), 1u);
    EXPECT_TRUE(chooseTicks(0, 1, roomOf(10, 7, 3)).values.empty());
}

TEST(RoundTicksTest, LabelsOfValuesNearZeroHaveNoSign) {
    EXPECT_EQ(roundTickLabel(-1e-17, 0.1), QStringLiteral("0.0"));
    EXPECT_EQ(roundTickLabel(-0.0, 1), QStringLiteral("0"));
    EXPECT_EQ(roundTickLabel(-1e-20, 1e-7), QStringLiteral("0"));
    EXPECT_EQ(roundTickLabel(2e-7, 1e-7), QStringLiteral("2E-07"));
    EXPECT_EQ(roundTickLabel(0.000015, 0.000005), QStringLiteral("0.000015"));
    const AxisTicks across = roundTicksAt(-0.3, 0.3, 0.1);
    EXPECT_EQ(across.labels, (QStringList{"-0.2", "-0.1", "0.0", "0.1", "0.2"}));
}

}  // namespace
}  // namespace farvik
