// Reading brenta's summary back, and the z values and marks of the comparison.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "analysis_systems.h"
#include "comparison.h"

namespace farvik::analysis {
namespace {

using namespace testing;
using brenta::testing::EngineRun;

SimulatedSummary summaryOf(EngineRun& run, const farvik::DataFileContent& c,
                           const std::string& answers) {
    brenta::testing::runSystem(run, c, answers);
    EXPECT_EQ(run.status, 0) << run.err;
    return readSimulatedSummary(run.file("resumen.TXT"));
}

TEST(SimulatedSummary, ReadsEveryClassOfReport) {
    const std::vector<std::vector<El>> subs{{exponential(0.01), exponential(0.02)},
                                            {exponential(0.005)}};
    for (int code : {3, 4}) {
        EngineRun run;
        const SimulatedSummary s =
            summaryOf(run, brenta::testing::subsystems(code, 1, subs, 3, 500), "1\n2\n10\n1E+20\n");
        EXPECT_EQ(s.trials, 500);
        ASSERT_EQ(s.reliability.size(), 2u);
        EXPECT_EQ(s.reliability[0].t, 10);
        EXPECT_EQ(s.reliability[1].t, 1e20);
        EXPECT_EQ(s.reliability[1].value, 0);
        EXPECT_GT(s.meanLife, 0);
        EXPECT_GT(s.standardError, 0);
        ASSERT_EQ(s.duplications.size(), 3u);
        EXPECT_EQ(s.duplications[0].label, "1-1");
        EXPECT_EQ(s.duplications[1].label, "1-2");
        EXPECT_EQ(s.duplications[2].label, "2-1");
        for (const auto& d : s.duplications) {
            // Class 4 writes no mean with a duplicate: it is the plain mean plus the gain.
            EXPECT_NEAR(d.meanLife, s.meanLife + d.gain, 1e-9 * s.meanLife) << code;
            EXPECT_GT(d.standardError, 0);
        }
        ASSERT_FALSE(s.best.empty()) << code;
    }
    EngineRun run;
    const SimulatedSummary g =
        summaryOf(run,
                  brenta::testing::general(1, {{2, exponential(0.01)}, {1, exponential(0.02)}},
                                           {{1}, {2, 1}}, 3, 400),
                  "2\n");
    EXPECT_TRUE(g.reliability.empty());
    ASSERT_EQ(g.duplications.size(), 2u);
    EXPECT_EQ(g.duplications[0].label, "1");
    EXPECT_EQ(g.duplications[1].label, "2");
    EXPECT_EQ(g.best, std::vector<std::string>{"1"});  // key 2 stands only beside key 1
    EXPECT_THROW(readSimulatedSummary("RESULTADOS OBTENIDOS CON 10"), SummaryFormatError);
    EXPECT_THROW(readSimulatedSummary(""), SummaryFormatError);
}

TEST(Comparison, ZAndMarks) {
    EXPECT_DOUBLE_EQ(compareValue(10.5, 10, 0.25).z, 2);
    EXPECT_FALSE(compareValue(11, 10, 0.25).marked);  // exactly 4 standard errors
    EXPECT_TRUE(compareValue(11.01, 10, 0.25).marked);
    EXPECT_TRUE(compareValue(8.9, 10, 0.25).marked);
    // A standard error of 0: agreeing exactly, or infinitely far.
    EXPECT_EQ(compareValue(1, 1, 0).z, 0);
    EXPECT_FALSE(compareValue(1, 1, 0).marked);
    EXPECT_EQ(compareValue(0.9, 1, 0).z, -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(compareValue(0.9, 1, 0).marked);
    EXPECT_TRUE(compareValue(std::nan(""), 1, 0.1).marked);
}

TEST(Comparison, DuplicationsOfAnotherSystemAreRefused) {
    EngineRun run;
    const SimulatedSummary s = summaryOf(
        run, brenta::testing::subsystems(3, 1, {{exponential(0.01)}, {exponential(0.02)}}, 1, 200),
        "2\n");
    const ExactSystem same(rows(3, {{exponential(0.01)}, {exponential(0.02)}}, 1));
    const ExactSystem other(rows(3, {{exponential(0.01), exponential(0.02)}}, 1));
    EXPECT_NO_THROW(compare(s, same));
    EXPECT_THROW(compare(s, other), ComparisonError);
    // Stopped while the duplications are worked out.
    EXPECT_FALSE(compare(s, same, [](int, int) { return false; }));
    // The best is that of the exact gains too: the element that fails soonest.
    const auto c = compare(s, same);
    ASSERT_TRUE(c);
    ASSERT_EQ(c->duplications.size(), 2u);
    EXPECT_TRUE(c->duplications[1].exactBest);
    EXPECT_FALSE(c->duplications[0].exactBest);
    EXPECT_EQ(c->bestAgrees, c->duplications[1].simulatedBest);
}

// The gain's standard error from the summary's figures alone bounds the one the trials
// themselves give: trials drawn here, their statistics kept as the engine keeps them.
TEST(Comparison, TheGainsStandardErrorBoundsTheTrialsOwn) {
    std::mt19937_64 random(7);
    std::exponential_distribution<double> life(1.0 / 700);
    std::uniform_real_distribution<double> chance(0, 1);
    for (double share : {0.0, 0.05, 0.5, 1.0}) {
        const long n = 4000;
        double vm = 0, vm2 = 0, vmd = 0, vmd2 = 0, gm = 0, gm2 = 0;
        for (long k = 1; k <= n; ++k) {
            const double x = life(random);
            // The duplicate lengthens some trials, by a time of its own.
            const double xd = chance(random) < share ? x + life(random) : x;
            vm += (x - vm) / k;
            vm2 += (x * x - vm2) / k;
            vmd += (xd - vmd) / k;
            vmd2 += (xd * xd - vmd2) / k;
            gm += (xd - x - gm) / k;
            gm2 += ((xd - x) * (xd - x) - gm2) / k;
        }
        const double ee = std::sqrt(vm2 - vm * vm) / std::sqrt(n - 1.0);
        const double eed = std::sqrt(vmd2 - vmd * vmd) / std::sqrt(n - 1.0);
        const double own = std::sqrt(std::max(gm2 - gm * gm, 0.0)) / std::sqrt(n - 1.0);
        const double bound = gainStandardError(vm, ee, eed, vmd - vm, n);
        EXPECT_GE(bound, own * (1 - 1e-9)) << share;
        EXPECT_LE(bound, ee + eed) << share;
        // Not so loose as to mean nothing: within a few times the trials' own.
        if (share > 0) {
            EXPECT_LT(bound, 4 * own) << share;
        } else {
            EXPECT_NEAR(bound, 0, 1e-9 * ee) << "no gain in any trial";
        }
    }
    EXPECT_EQ(gainStandardError(100, 0, 0, 0, 1), 0) << "one trial: standard errors of 0";
}

}  // namespace
}  // namespace farvik::analysis
