// The distribution table says how many parameters each distribution has; the engine's draws
// must use exactly those: a change of a parameter in use changes the times drawn, a change of
// one beyond them changes nothing, on the single-thread draw and on the split one alike.
#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "distributions.h"
#include "muestra.h"
#include "test_systems.h"
#include "trial.h"
#include "trial_draws.h"

namespace brenta {
namespace {

using testing::El;
using testing::subsystems;
using testing::systemOf;

// For each code: parameters the engine accepts, and for each of the three another value
// that it accepts too.
struct Sample {
    El base;
    double other[3];
};
const Sample kSamples[] = {
    {{farvik::kExponential, 0.01, 0, 0}, {0.02, 5, 7}},
    {{farvik::kWeibull, 1.5, 100, 0}, {2.5, 200, 7}},
    {{farvik::kLognormalNormal, 4, 0.5, 0}, {5, 0.7, 7}},
    {{farvik::kLognormal, 100, 30, 0}, {200, 50, 7}},
    {{farvik::kNormal, 100, 10, 0}, {150, 20, 7}},
};
static_assert(std::size(kSamples) == farvik::kDistributionCount, "a sample for every code");

constexpr int kDraws = 50;

// The times of kDraws trials of one element, by muestra and by the split draw.
struct Times {
    std::vector<double> single, split;
};

Times timesOf(const El& e) {
    const SystemData s = systemOf(subsystems(1, 2, {{e}}, 3));
    Times times;
    Generator g(s.iseed);
    for (int n = 0; n < kDraws; ++n) {
        double t = -1;
        muestra(g, s, 1, 1, t);
        times.single.push_back(t);
    }
    const TrialDraws draws(s);
    EXPECT_TRUE(draws.supported());
    Generator h(s.iseed);
    std::vector<double> raw(static_cast<std::size_t>(draws.rawPerTrial()));
    TrialState st;
    for (int n = 0; n < kDraws; ++n) {
        draws.drawRaw(h, raw.data());
        draws.transform(raw.data(), st);
        times.split.push_back(st.tel(1, 1));
    }
    return times;
}

TEST(DistributionTable, TheDrawsUseExactlyTheParametersTheTableCounts) {
    for (const Sample& sample : kSamples) {
        const farvik::Distribution* d = farvik::findDistribution(sample.base.dist);
        ASSERT_NE(d, nullptr);
        SCOPED_TRACE(d->name);
        const Times base = timesOf(sample.base);
        EXPECT_EQ(base.single, base.split);
        for (int k = 1; k <= 3; ++k) {
            SCOPED_TRACE(k);
            El changed = sample.base;
            (k == 1 ? changed.p1 : k == 2 ? changed.p2 : changed.p3) = sample.other[k - 1];
            const Times after = timesOf(changed);
            EXPECT_EQ(after.single, after.split);
            if (k <= d->parameterCount) {
                EXPECT_NE(after.single, base.single);
            } else {
                EXPECT_EQ(after.single, base.single);
            }
        }
    }
}

}  // namespace
}  // namespace brenta
