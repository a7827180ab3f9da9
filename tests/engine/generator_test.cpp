#include <gtest/gtest.h>

#include "aleat.h"

namespace brenta {
namespace {

// The first differences mj of the generator for a seed, read back from the uniforms.
std::int32_t nextMj(Generator& g) {
    aleat(g);
    return g.ma[g.inext];
}

TEST(Generator, ScaleIsSinglePrecisionBillionth) {
    EXPECT_EQ(kUniformScale, 9.999999717180685e-10);
    EXPECT_NE(kUniformScale, 1e-9);
}

TEST(Generator, FirstDifferencesOfKnownSeeds) {
    for (std::int32_t seed : {1, -1}) {
        Generator g(seed);
        EXPECT_EQ(nextMj(g), 298227348);
        EXPECT_EQ(nextMj(g), 715119168);
        EXPECT_EQ(nextMj(g), 33021107);
        EXPECT_EQ(g.iseed, -1);
    }
    Generator zero(0);
    EXPECT_EQ(nextMj(zero), 533923850);
    EXPECT_EQ(nextMj(zero), 323008803);
    EXPECT_EQ(nextMj(zero), 401103978);
}

TEST(Generator, UniformIsDifferenceTimesScale) {
    Generator g(1);
    EXPECT_EQ(aleat(g), 298227348 * kUniformScale);
    EXPECT_NEAR(aleat(g), 0.71511915, 1e-8);
    EXPECT_NEAR(aleat(g), 0.03302111, 1e-8);
}

TEST(Generator, SeedAndItsNegativeGiveTheSameStream) {
    Generator a(5), b(-5);
    for (int n = 0; n < 1000; ++n) ASSERT_EQ(aleat(a), aleat(b));
}

TEST(Generator, InitialisesOnceAtTheFirstDraw) {
    Generator g(7);
    EXPECT_EQ(g.initialised, 0);
    aleat(g);
    EXPECT_EQ(g.initialised, 1);
    const auto table = g.ma;
    aleat(g);
    int changed = 0;
    for (int i = 1; i <= 55; ++i) changed += table[i] != g.ma[i];
    EXPECT_EQ(changed, 1) << "a draw after the first changes one entry, it does not rebuild";
}

TEST(Generator, StaysInUnitInterval) {
    Generator g(161803398);
    for (int n = 0; n < 100000; ++n) {
        const double u = aleat(g);
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
    }
}

}  // namespace
}  // namespace brenta
