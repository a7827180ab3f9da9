// Survival functions of the five laws, checked against the engine's own sampler: the
// fraction of drawn times that survive t must be the survival the library gives.
#include <gtest/gtest.h>

#include <cmath>

#include "aleat.h"
#include "analysis_systems.h"
#include "element_law.h"
#include "muestra.h"

namespace farvik::analysis {
namespace {

using namespace testing;

// Draws `n` times of the single element of a one-element series file with the engine's
// muestra, and checks P(T >= t) at each time within 4 standard errors.
void expectSampledSurvival(const El& e, const std::vector<double>& times, int n = 200000) {
    const brenta::SystemData s =
        brenta::testing::systemOf(brenta::testing::subsystems(1, 2, {{e}}));
    const ElementLaw law = modelOf(s).elements[0].law;
    brenta::Generator g(7);
    std::vector<int> surviving(times.size(), 0);
    for (int k = 0; k < n; ++k) {
        double t = 0;
        brenta::muestra(g, s, 1, 1, t);
        for (std::size_t m = 0; m < times.size(); ++m) surviving[m] += t >= times[m];
    }
    for (std::size_t m = 0; m < times.size(); ++m) {
        const double exact = elementState(law, times[m]).survival;
        const double se = std::sqrt(exact * (1 - exact) / n);
        EXPECT_NEAR(double(surviving[m]) / n, exact, 4 * se + 1e-12)
            << "code " << e.dist << " at t = " << times[m];
    }
}

TEST(ElementLaw, SurvivalIsTheSampledOneForEveryCode) {
    expectSampledSurvival(exponential(0.002), {50, 300, 800, 2000});
    // Shape first, then scale.
    expectSampledSurvival(weibull(0.7, 1000), {10, 500, 1000, 4000});
    expectSampledSurvival(weibull(3, 50), {20, 45, 60, 80});
    expectSampledSurvival(lognormalOfNormal(6, 0.5), {200, 400, 700, 1500});
    // Given by its own mean and deviation, converted by the engine's reader.
    expectSampledSurvival(lognormal(900, 300), {400, 800, 1000, 1600});
    // Drawn again while negative: truncated at 0, so it survives small times more.
    expectSampledSurvival(normal(1, 1), {0.1, 0.5, 1, 2.5});
    expectSampledSurvival(normal(-2, 1), {0.05, 0.2, 0.5});
}

TEST(ElementLaw, ParameterOrderAndConversionAsTheEngineReadsThem) {
    const auto lawOf = [](const El& e) {
        return modelOfContent(brenta::testing::subsystems(1, 2, {{e}})).elements[0].law;
    };
    // The Weibull scale is the time that survives with probability e^-1, whatever the shape.
    EXPECT_NEAR(elementState(lawOf(weibull(0.5, 700)), 700).survival, std::exp(-1), 1e-15);
    EXPECT_NEAR(elementState(lawOf(weibull(4, 700)), 700).survival, std::exp(-1), 1e-15);
    // A lognormal of mean m and deviation d has median m^2 / sqrt(m^2 + d^2).
    const ElementLaw ln = lawOf(lognormal(900, 300));
    EXPECT_NEAR(elementState(ln, 900 * 900 / std::sqrt(900.0 * 900 + 300 * 300)).survival, 0.5,
                1e-14);
    // The normal truncated at 0: S(t) = Q((t - mu)/sd) / Q(-mu/sd).
    const ElementLaw nl = lawOf(normal(1, 1));
    const auto q = [](double z) { return 0.5 * std::erfc(z / std::sqrt(2.0)); };
    EXPECT_NEAR(elementState(nl, 0.0).survival, 1.0, 0);
    EXPECT_NEAR(elementState(nl, 1.5).survival, q(0.5) / q(-1), 1e-15);
}

TEST(ElementLaw, StatesAgreeWithThemselvesAndTheQuantiles) {
    const ElementLaw laws[] = {{1, 0.002, 0}, {2, 0.7, 1000}, {2, 3, 50},
                               {3, 6, 0.5},   {5, 1, 1},      {5, 1000, 10}};
    for (const ElementLaw& law : laws) {
        for (double q : {0.999, 0.5, 1e-3, 1e-9}) {
            const double t = survivalQuantile(law, q);
            const ElementState s = elementState(law, t);
            EXPECT_NEAR(s.survival, q, 1e-12 * q + 1e-15) << "code " << law.code << " q " << q;
            EXPECT_NEAR(s.survival + s.failure, 1.0, 2e-16);
            // The density is the slope of the failure probability (taken from the survival
            // where that is the smaller, to keep the digits).
            const double h = 1e-6 * t;
            const ElementState before = elementState(law, t - h), after = elementState(law, t + h);
            const double slope = q < 0.5 ? (before.survival - after.survival) / (2 * h)
                                         : (after.failure - before.failure) / (2 * h);
            EXPECT_NEAR(s.density, slope, 1e-7 * s.density) << "code " << law.code << " q " << q;
        }
    }
    // The failure probability keeps its digits where it is tiny.
    EXPECT_TRUE(near(elementState({1, 1e-3, 0}, 1e-9).failure, 1e-12 - 0.5e-24, 1e-15));
    EXPECT_NEAR(elementState({5, 1, 1}, 1e-8).failure / 1e-8,
                0.24197072451914337 / 0.8413447460685429, 1e-6);
}

TEST(ElementLaw, LawsWithoutSpreadAreAtoms) {
    double at = -1;
    ASSERT_TRUE(atom({5, 300, 0}, at));
    EXPECT_EQ(at, 300);
    EXPECT_EQ(elementState({5, 300, 0}, 300).survival, 1);  // T >= t counts as surviving
    EXPECT_EQ(elementState({5, 300, 0}, std::nextafter(300.0, 400.0)).survival, 0);
    ASSERT_TRUE(atom({2, 2, 0}, at));
    EXPECT_EQ(at, 0);
    EXPECT_EQ(elementState({2, 2, 0}, 0).survival, 1);
    EXPECT_EQ(elementState({2, 2, 0}, 1e-300).survival, 0);
    ASSERT_TRUE(atom({3, std::log(50.0), 0}, at));
    EXPECT_NEAR(at, 50, 1e-12);
    EXPECT_FALSE(atom({1, 0.1, 0}, at));
    // Before 0 every law survives.
    for (const ElementLaw& law : {ElementLaw{1, 2, 0}, ElementLaw{3, 1, 1}, ElementLaw{5, 1, 2}}) {
        EXPECT_EQ(elementState(law, -5).survival, 1);
    }
}

}  // namespace
}  // namespace farvik::analysis
