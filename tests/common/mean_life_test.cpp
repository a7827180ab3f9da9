#include "mean_life.h"

#include <gtest/gtest.h>

#include <cmath>

namespace farvik {
namespace {

double mean(int code, double p1, double p2) {
    const auto m = meanLife(code, p1, p2);
    EXPECT_TRUE(m) << code << " " << p1 << " " << p2;
    return m.value_or(NAN);
}

TEST(MeanLife, ClosedFormsOfEachDistribution) {
    EXPECT_DOUBLE_EQ(mean(1, 0.001, 0), 1000);
    // Weibull, shape first: shape 1 is the exponential of mean scale; shape 2 the Rayleigh.
    EXPECT_DOUBLE_EQ(mean(2, 1, 1200), 1200);
    EXPECT_NEAR(mean(2, 2, 1000), 1000 * std::sqrt(M_PI) / 2, 1e-9);
    EXPECT_NEAR(mean(2, 0.5, 10), 20, 1e-12);  // Gamma(3) = 2
    EXPECT_DOUBLE_EQ(mean(2, 1.5, 0), 0);
    EXPECT_NEAR(mean(3, 6.5, 0.4), std::exp(6.5 + 0.08), 1e-9);
    EXPECT_DOUBLE_EQ(mean(3, 2, 0), std::exp(2.0));
    // By its own mean and deviation: the conversion keeps the mean.
    EXPECT_NEAR(mean(4, 800, 300), 800, 1e-9);
    EXPECT_NEAR(mean(4, 0.25, 3), 0.25, 1e-12);
}

// The engine draws a normal again while it is negative: the mean is the truncated one.
TEST(MeanLife, NormalIsTruncatedAtZero) {
    EXPECT_DOUBLE_EQ(mean(5, 1000, 0), 1000);
    EXPECT_DOUBLE_EQ(mean(5, 0, 0), 0);
    EXPECT_NEAR(mean(5, 0, 3), 3 * std::sqrt(2 / M_PI), 1e-12);  // half-normal
    // m + s phi(1) / (1 - Phi(1)) with m = -1, s = 1.
    EXPECT_NEAR(mean(5, -1, 1), 0.5251352761609807, 1e-12);
    // Far above 0 the truncation leaves the mean alone.
    EXPECT_NEAR(mean(5, 1000, 100), 1000, 1e-9);
    // At the deepest mean the engine accepts, 5 deviations below 0.
    const double a = 5;
    const double tail = 0.5 * std::erfc(a / std::sqrt(2.0));
    EXPECT_NEAR(mean(5, -50, 10), -50 + 10 * std::exp(-a * a / 2) / std::sqrt(2 * M_PI) / tail,
                1e-9);
    EXPECT_GT(mean(5, -50, 10), 0);
}

TEST(MeanLife, NothingForWhatTheEngineRefuses) {
    EXPECT_FALSE(meanLife(1, 0, 0));
    EXPECT_FALSE(meanLife(2, 0, 100));
    EXPECT_FALSE(meanLife(2, 1.5, -1));
    EXPECT_FALSE(meanLife(3, 800, 1));
    EXPECT_FALSE(meanLife(4, 0, 1));
    EXPECT_FALSE(meanLife(5, -1, 0));
    EXPECT_FALSE(meanLife(0, 1, 1));
    EXPECT_FALSE(meanLife(6, 1, 1));
}

}  // namespace
}  // namespace farvik
