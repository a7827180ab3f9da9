#include "muestra.h"

#include <gtest/gtest.h>

#include <cmath>

#include "reevaluation.h"
#include "simulation.h"
#include "test_systems.h"
#include "trial.h"

namespace brenta {
namespace {

using testing::El;
using testing::general;
using testing::subsystems;
using testing::systemOf;

// Mean system life and its standard error over the trials of a system.
struct Life : TrialHooks {
    double sum = 0, sum2 = 0;
    int n = 0;
    void survival(double) override {}
    void trialDone(std::int32_t, const TrialState& st) override {
        sum += st.tsis;
        sum2 += st.tsis * st.tsis;
        ++n;
    }
    void duplicateCell(std::int32_t, int, int, double, const Table50<double>*,
                       const double*) override {}
    double mean() const { return sum / n; }
    double error() const { return std::sqrt((sum2 / n - mean() * mean()) / (n - 1)); }
};

Life simulateLife(const farvik::DataFileContent& c) {
    const SystemData s = systemOf(c);
    Generator g(s.iseed);
    TrialState st;
    Life life;
    simulate(s, g, st, life);
    return life;
}

TEST(Muestra, OneExponentialElementWithSeedOne) {
    const SystemData s = systemOf(subsystems(1, 2, {{{1, 0.001}}}));
    Generator g(1);
    double t = 0;
    muestra(g, s, 1, 1, t);
    EXPECT_NEAR(t, 1209.899, 0.001);
    muestra(g, s, 1, 1, t);
    EXPECT_NEAR(t, 335.306, 0.001);
}

TEST(Muestra, ExponentialAndWeibullTakeOneUniform) {
    const SystemData s = systemOf(subsystems(1, 2, {{{1, 0.5}, {2, 2.0, 100}}}));
    Generator g(8), ref(8);
    double t = 0;
    muestra(g, s, 1, 1, t);
    EXPECT_EQ(t, -(1.0 / 0.5) * std::log(aleat(ref)));
    muestra(g, s, 2, 1, t);
    EXPECT_EQ(t, 100 * std::pow(-std::log(aleat(ref)), 1.0 / 2.0));
    EXPECT_EQ(aleat(g), aleat(ref));
}

// The polar method by hand: pairs of uniforms until s <= 1, the first deviate kept.
double polarByHand(Generator& g) {
    for (;;) {
        const double x1 = 2 * aleat(g) - 1, x2 = 2 * aleat(g) - 1;
        const double s = x1 * x1 + x2 * x2;
        if (s <= 1 && s > 0) return x1 * std::sqrt(-(2 * std::log(s)) / s);
    }
}

TEST(Muestra, NormalIsDrawnAgainWhileNegative) {
    const SystemData s = systemOf(subsystems(1, 2, {{{5, 1.0, 1.0}}}));
    Generator g(21), ref(21);
    int redraws = 0;
    for (int n = 0; n < 300; ++n) {
        double t = 0;
        muestra(g, s, 1, 1, t);
        double expected;
        int attempts = 0;
        do {
            expected = polarByHand(ref) * 1.0 + 1.0;
            ++attempts;
        } while (expected < 0);
        redraws += attempts - 1;
        ASSERT_EQ(t, expected);
        ASSERT_GE(t, 0.0);
    }
    EXPECT_GT(redraws, 20);  // about one draw in six is negative
    EXPECT_EQ(aleat(g), aleat(ref)) << "the same uniforms were consumed";
}

TEST(Muestra, LognormalsOfBothFormsAgreeAfterConversion) {
    double m = 500, d = 200;
    farvik::findDistribution(farvik::kLognormal)->toDrawn(m, d);
    const SystemData byNormal = systemOf(subsystems(1, 2, {{{3, m, d}}}));
    const SystemData byMean = systemOf(subsystems(1, 2, {{{4, 500, 200}}}));
    Generator g1(5), g2(5), ref(5);
    for (int n = 0; n < 100; ++n) {
        double a = 0, b = 0;
        muestra(g1, byNormal, 1, 1, a);
        muestra(g2, byMean, 1, 1, b);
        ASSERT_EQ(a, b);
        ASSERT_EQ(a, std::exp(m + d * polarByHand(ref)));
    }
}

TEST(Muestra, UnknownCodeLeavesTheTime) {
    SystemData s = systemOf(subsystems(1, 2, {{{1, 0.5}}}));
    s.distribution(1, 1) = 9;
    Generator g(1);
    double t = 42;
    muestra(g, s, 1, 1, t);
    EXPECT_EQ(t, 42);
    EXPECT_EQ(g.initialised, 0) << "nothing was drawn";
}

TEST(Muestra, ThirdParameterNeverChangesATime) {
    const std::vector<std::vector<El>> a = {{{1, 0.001, 0, 0}, {2, 1.5, 900, 0}, {5, 800, 90, 0}}};
    const std::vector<std::vector<El>> b = {
        {{1, 0.001, 0, 7}, {2, 1.5, 900, -3}, {5, 800, 90, 1e9}}};
    const SystemData sa = systemOf(subsystems(3, 2, a)), sb = systemOf(subsystems(3, 2, b));
    Generator ga(2), gb(2);
    TrialState ta, tb;
    for (int n = 0; n < 50; ++n) {
        drawTrial(ga, sa, ta);
        drawTrial(gb, sb, tb);
        ASSERT_EQ(ta.tel.v, tb.tel.v);
    }
}

// Mean lives against their closed forms, within 4 standard errors.
TEST(Statistics, MeanLivesMatchClosedForms) {
    struct Case {
        const char* name;
        farvik::DataFileContent system;
        double expected;
    };
    const double l1 = 0.001, l2 = 0.004;
    const Case cases[] = {
        {"exponential series", subsystems(1, 2, {{{1, 0.001}, {1, 0.002}, {1, 0.0005}}}, 3, 20000),
         1 / 0.0035},
        {"exponential pair in parallel", subsystems(2, 2, {{{1, l1}, {1, l2}}}, 4, 20000),
         1 / l1 + 1 / l2 - 1 / (l1 + l2)},
        {"Weibull", subsystems(1, 2, {{{2, 1.5, 1000}}}, 5, 20000),
         1000 * std::tgamma(1 + 1 / 1.5)},
        {"lognormal", subsystems(1, 2, {{{3, 6.0, 0.5}}}, 6, 20000), std::exp(6.0 + 0.125)},
        {"lognormal by its mean", subsystems(1, 2, {{{4, 700, 250}}}, 7, 20000), 700},
        {"normal", subsystems(1, 2, {{{5, 500, 100}}}, 8, 20000), 500},
        {"bridge of two series paths",
         general(2, {{1, {1, l1}}, {2, {1, l1}}}, {{1}, {2}}, 9, 20000),
         1 / l1 + 1 / l1 - 1 / (2 * l1)},
    };
    for (const Case& c : cases) {
        const Life life = simulateLife(c.system);
        EXPECT_NEAR(life.mean(), c.expected, 4 * life.error()) << c.name;
    }
}

}  // namespace
}  // namespace brenta
