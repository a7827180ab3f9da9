// The scale step's refusals, the rubber band's rectangle and the label numbers.
#include "results/graph_range.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace farvik {
namespace {

std::optional<QString> refusal(double x0, double y0, double x1, double y1) {
    return rangeRefusal(GraphRange{x0, y0, x1, y1});
}

TEST(GraphRangeTest, TheScaleStepRefusesDegenerateAndHugeRangesInItsOrder) {
    const QString yZero = QStringLiteral("El intervalo en el eje y es cero.");
    const QString xZero = QStringLiteral("El intervalo en el eje x es cero.");
    const QString yHuge = QStringLiteral("El intervalo en el eje y tiende a infinito.");
    const QString xHuge = QStringLiteral("El intervalo en el eje x tiende a infinito.");

    EXPECT_EQ(refusal(0, 1, 0, 1), yZero);  // both zero: y is named first
    EXPECT_EQ(refusal(0, 0, 5, 0), yZero);
    EXPECT_EQ(refusal(5, 0, 5, 1), xZero);
    EXPECT_EQ(refusal(0, 0, 0, 2e8), xZero);  // a zero x before a huge y
    EXPECT_EQ(refusal(0, 0, 1, 1e8 + 2), yHuge);
    EXPECT_EQ(refusal(0, 0, 2e8, 2e8), yHuge);
    EXPECT_EQ(refusal(0, 0, 1e8 + 2, 1), xHuge);
    EXPECT_EQ(refusal(0, 0, 1, std::numeric_limits<double>::infinity()), yHuge);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(refusal(0, inf, 1, inf), yHuge);  // no difference at all

    // Exactly 10^8 is still drawn, and so is a range upside down.
    EXPECT_EQ(refusal(0, 0, 1e8, 1e8), std::nullopt);
    EXPECT_EQ(refusal(30, 1, 0, 0), std::nullopt);

    EXPECT_EQ(refusalMessage(yZero),
              QStringLiteral("El intervalo en el eje y es cero.\nElige otro intervalo"));
}

TEST(GraphRangeTest, ADragGivesTheSameRectangleInEitherDirection) {
    const GraphRange expected{2, 0.25, 7, 0.75};
    EXPECT_EQ(zoomRange({2, 0.25}, {7, 0.75}), expected);
    EXPECT_EQ(zoomRange({7, 0.75}, {2, 0.25}), expected);
    EXPECT_EQ(zoomRange({2, 0.75}, {7, 0.25}), expected);
    EXPECT_EQ(zoomRange({7, 0.25}, {2, 0.75}), expected);

    // Past the lower edges the rectangle stops at 0.
    EXPECT_EQ(zoomRange({-3, -0.5}, {7, 0.75}), (GraphRange{0, 0, 7, 0.75}));
    EXPECT_EQ(zoomRange({7, 0.75}, {-3, -0.5}), (GraphRange{0, 0, 7, 0.75}));

    // No width or no height: no zoom.
    EXPECT_EQ(zoomRange({2, 0.25}, {2, 0.25}), std::nullopt);
    EXPECT_EQ(zoomRange({2, 0.25}, {2, 0.75}), std::nullopt);
    EXPECT_EQ(zoomRange({2, 0.25}, {7, 0.25}), std::nullopt);
    EXPECT_EQ(zoomRange({-1, 0.25}, {-2, 0.75}), std::nullopt);  // both clamped to 0
}

TEST(GraphRangeTest, NumbersHaveOneIntegerDigitAtLeastAndFixedDecimals) {
    EXPECT_EQ(fixedNumber(0, 2), QStringLiteral("0.00"));
    EXPECT_EQ(fixedNumber(0.5, 2), QStringLiteral("0.50"));
    EXPECT_EQ(fixedNumber(0.005, 2), QStringLiteral("0.01"));
    EXPECT_EQ(fixedNumber(1234567.891, 2), QStringLiteral("1234567.89"));
    EXPECT_EQ(fixedNumber(-2.5, 2), QStringLiteral("-2.50"));
    EXPECT_EQ(fixedNumber(-0.001, 2), QStringLiteral("0.00"));
    EXPECT_EQ(fixedNumber(12.34567, 4), QStringLiteral("12.3457"));
    EXPECT_EQ(fixedNumber(1e-5, 4), QStringLiteral("0.0000"));
}

}  // namespace
}  // namespace farvik
