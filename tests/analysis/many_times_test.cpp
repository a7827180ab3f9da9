// R at many times in one pass, and the quadrature that asks for them: the pass gives each
// time the value the time-by-time evaluation gives, and the mean life agrees with the former
// time-by-time quadrature, with error bounds that cover what they claim to.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "analysis_systems.h"
#include "half_line_integral.h"
#include "path_diagram.h"
#include "row_structures.h"

namespace farvik::analysis {
namespace {

using namespace testing;

// States of `elements` elements in `lanes` lanes, element-major, as reliabilities() takes them.
struct Lanes {
    std::vector<double> p, q;
    Lanes(std::mt19937& rng, std::size_t elements, std::size_t lanes) {
        for (std::size_t n = 0; n < elements * lanes; ++n) {
            p.push_back(double(rng() % 1001) / 1000);  // 0 and 1 included
            q.push_back(1 - p.back());
        }
    }
    // Lane j alone, as reliability() takes it.
    void lane(std::size_t j, std::size_t lanes, std::vector<double>& pj,
              std::vector<double>& qj) const {
        pj.clear();
        qj.clear();
        for (std::size_t k = 0; k * lanes < p.size(); ++k) {
            pj.push_back(p[k * lanes + j]);
            qj.push_back(q[k * lanes + j]);
        }
    }
};

void expectLanesAsOne(const StructureFunction& f, std::size_t elements, std::mt19937& rng) {
    // Fewer lanes than a block, a block and one more, several blocks and a part.
    for (std::size_t lanes : {1, 3, 8, 9, 21, 40}) {
        const Lanes states(rng, elements, lanes);
        std::vector<double> r(lanes, -1), pj, qj;
        f.reliabilities(states.p.data(), states.q.data(), elements, lanes, r.data());
        for (std::size_t j = 0; j < lanes; ++j) {
            states.lane(j, lanes, pj, qj);
            EXPECT_NEAR(r[j], f.reliability(pj.data(), qj.data()), 1e-15)
                << lanes << " lanes, lane " << j;
        }
    }
}

TEST(ManyTimes, EachLaneGetsWhatItsOwnPassGives) {
    std::mt19937 rng(5);
    for (int trial = 0; trial < 4; ++trial) {
        const int n = 10 + 3 * trial;
        std::vector<std::vector<int>> paths(6 + trial);
        for (auto& path : paths) {
            for (int m = 0; m < 4; ++m) path.push_back(int(rng() % n));
        }
        DiagramLimits sifted;
        sifted.sifting = true;
        expectLanesAsOne(PathDiagram(paths, n), n, rng);
        expectLanesAsOne(PathDiagram(paths, n, sifted), n, rng);
        expectLanesAsOne(RowStructure(paths, trial % 2 == 0), n, rng);
    }
    // One element, its lanes at 0 and 1 too; no path at all, a diagram that is a constant.
    const PathDiagram single({{0}}, 1);
    const double p[] = {0.25, 1, 0}, q[] = {0.75, 0, 1};
    double r[3];
    single.reliabilities(p, q, 1, 3, r);
    EXPECT_EQ(r[0], 0.25);
    EXPECT_EQ(r[1], 1);
    EXPECT_EQ(r[2], 0);
    const PathDiagram none({}, 1);
    single.reliabilities(p, q, 1, 0, r);  // no lanes: nothing written, nothing read
    none.reliabilities(p, q, 1, 2, r);
    EXPECT_EQ(r[0], 0);
    EXPECT_EQ(r[1], 0);
}

TEST(ManyTimes, ExactSystemsManyTimesAreItsOneTimes) {
    const ExactSystem g(paths(
        {exponential(0.01), weibull(2, 80), normal(100, 30), lognormal(90, 40), weibull(0.7, 200)},
        {{1, 2}, {2, 3}, {3, 4, 5}, {1, 5}}));
    std::vector<double> times;
    for (int n = 0; n < 30; ++n) times.push_back(n * 13.0);
    const std::vector<double> r = g.reliabilities(times);
    ASSERT_EQ(r.size(), times.size());
    for (std::size_t j = 0; j < times.size(); ++j) {
        EXPECT_NEAR(r[j], g.reliability(times[j]), 1e-15) << times[j];
    }
    EXPECT_TRUE(g.reliabilities({}).empty());
}

// Random general systems of every law: the mean life by the passes with the monotone
// bounds against the former quadrature, time by time by the rule alone.
TEST(ManyTimes, MeanLifeAgreesWithTheTimeByTimeQuadrature) {
    std::mt19937 rng(8);
    const std::vector<El> laws = {exponential(0.002),  weibull(1.5, 600), lognormalOfNormal(6, 0.8),
                                  lognormal(700, 200), normal(500, 150),  weibull(0.8, 900)};
    for (int trial = 0; trial < 6; ++trial) {
        const int n = 5 + trial;
        std::vector<El> elements;
        for (int k = 0; k < n; ++k) elements.push_back(laws[rng() % laws.size()]);
        std::vector<std::vector<int>> keys(3 + trial % 3);
        for (auto& path : keys) {
            for (int m = 0; m < 3; ++m) path.push_back(1 + int(rng() % n));
        }
        const ExactSystem s = paths(elements, keys);
        const Estimate now = s.meanLife();
        const Estimate former =
            integrateHalfLine([&s](double t) { return s.reliability(t); }, s.breakpoints());
        EXPECT_TRUE(near(now.value, former.value, 1e-12))
            << trial << ": " << now.value << " against " << former.value;
        EXPECT_LE(std::fabs(now.value - former.value), now.error + former.error) << trial;
        EXPECT_LT(now.error, 1e-12 * now.value) << trial;
    }
}

// Integrands with known integrals, some with bends the cuts do not show.
TEST(HalfLineIntegral, TheErrorBoundCoversTheErrorOnWidePieces) {
    struct Case {
        const char* name;
        std::function<double(double)> f;
        std::vector<double> cuts;
        double integral;
        bool nonIncreasing;
    };
    const double s = 1000;
    const std::vector<Case> cases = {
        {"exp over a wide range", [&](double t) { return std::exp(-t / s); }, {s, 5 * s}, s, true},
        // A ramp down from 700 to 1000, its bends hidden inside one piece of 0..3000.
        {"hidden ramp",
         [](double t) { return t < 700    ? 1.0
                               : t < 1000 ? (1000 - t) / 300
                                          : 0.0; },
         {3000},
         850,
         true},
        {"hidden ramp, no bounds",
         [](double t) { return t < 700    ? 1.0
                               : t < 1000 ? (1000 - t) / 300
                                          : 0.0; },
         {3000},
         850,
         false},
        // A bump that rises and falls: not monotone, integral sqrt(pi) 100.
        {"bump",
         [](double t) { return std::exp(-std::pow((t - 2000) / 100, 2)); },
         {1000, 4000},
         std::sqrt(M_PI) * 100,
         false},
        {"slow tail", [](double t) { return 1 / ((1 + t) * (1 + t)); }, {10}, 1, true},
    };
    for (const Case& c : cases) {
        IntegrationLimits limits;
        limits.nonIncreasing = c.nonIncreasing;
        const Estimate e = integrateHalfLine(c.f, c.cuts, limits);
        EXPECT_LE(std::fabs(e.value - c.integral), e.error + 1e-15 * c.integral) << c.name;
        EXPECT_LT(e.error, 1e-12 * c.integral) << c.name;
    }
}

TEST(HalfLineIntegral, APiecesErrorScalesWithItsWidth) {
    // The same integrand stretched by s, not halved: value and error grow with s alike.
    IntegrationLimits once;
    once.maxPieces = 2;
    std::vector<Estimate> e;
    for (double s : {1.0, 1000.0}) {
        e.push_back(integrateHalfLine([s](double t) { return std::exp(-30 * t / s); }, {s}, once));
    }
    EXPECT_GT(e[0].error, 1e-9 * e[0].value);  // the rule alone is far from exact here
    EXPECT_TRUE(near(e[1].value, 1000 * e[0].value, 1e-13));
    EXPECT_TRUE(near(e[1].error, 1000 * e[0].error, 1e-6));
}

TEST(HalfLineIntegral, MonotoneBoundsSpareTheRuleWhereTheIntegrandIsFlat) {
    // A reliability that stays at 1 to 100, then falls to nothing by 400: the pieces before
    // 100 and after 600 need no rule.
    long calls = 0;
    const auto f = [&calls](double t) {
        ++calls;
        return t < 100 ? 1.0 : std::exp(-std::pow((t - 100) / 50, 2));
    };
    const std::vector<double> cuts = {10, 50, 100, 200, 300, 600, 1000, 2000, 5000};
    IntegrationLimits plain, monotone;
    monotone.nonIncreasing = true;
    const Estimate a = integrateHalfLine(f, cuts, plain);
    const long byRule = calls;
    calls = 0;
    const Estimate b = integrateHalfLine(f, cuts, monotone);
    EXPECT_LT(calls, byRule - 4 * 21);
    const double exact = 100 + 25 * std::sqrt(M_PI);
    EXPECT_LE(std::fabs(a.value - exact), a.error + 1e-15 * exact);
    EXPECT_LE(std::fabs(b.value - exact), b.error + 1e-15 * exact);

    // Where the function rises after all it is not bounded so, and the rule gets it right.
    const auto rising = [](double t) { return t < 1 ? t : std::exp(1 - t); };
    const Estimate c = integrateHalfLine(rising, {1, 2, 5, 10, 40}, monotone);
    EXPECT_LE(std::fabs(c.value - 1.5), c.error + 1e-15);
}

}  // namespace
}  // namespace farvik::analysis
