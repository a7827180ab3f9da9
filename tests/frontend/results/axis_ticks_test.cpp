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

}  // namespace
}  // namespace farvik
