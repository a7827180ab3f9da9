// "¿Y si...?" in the analysis: a system with one element's law changed on the shared
// structure function against the same system built afresh, and a picture given up at once
// when it is no longer wanted.
#include <gtest/gtest.h>

#include <atomic>

#include "analysis_systems.h"
#include "what_if.h"

namespace farvik::analysis {
namespace {

using namespace testing;

// A system of every structure code built from its data file, with element e (in the
// model's order) given the law `replacement`, or as it is for e < 0.
ExactSystem build(int code, int e, const El& replacement) {
    std::vector<std::vector<El>> subs = {{exponential(0.001), weibull(1.5, 900)},
                                         {lognormal(1500, 500), normal(1200, 400)}};
    if (code <= 2) subs = {{weibull(1.5, 1200), exponential(0.0008), normal(1500, 300)}};
    if (code == 5) {
        std::vector<El> elements = subs[0];
        elements.insert(elements.end(), subs[1].begin(), subs[1].end());
        if (e >= 0) elements[std::size_t(e)] = replacement;
        return paths(elements, {{1, 2}, {3, 4}, {1, 4}, {2, 3, 2}});
    }
    int k = 0;
    for (auto& sub : subs)
        for (El& el : sub)
            if (k++ == e) el = replacement;
    return rows(code, subs);
}

// Every structure code, every distribution as the replacement of every element: the law
// changed on the shared structure function gives what the changed data file gives.
TEST(WhatIf, AChangedLawOnTheSharedStructureIsTheSystemBuiltAfresh) {
    const std::vector<El> laws = {exponential(0.002), weibull(2.5, 800),
                                  lognormalOfNormal(6.2, 0.5), lognormal(900, 300),
                                  normal(700, 150)};
    const std::vector<double> times = {100, 500, 1234.5};
    const std::atomic<bool> go{false};
    for (int code = 1; code <= 5; ++code) {
        const ExactSystem system = build(code, -1, {});
        for (int e = 0; e < int(system.model().elements.size()); ++e) {
            for (const El& el : laws) {
                const ExactSystem afresh = build(code, e, el);
                const ElementLaw law = afresh.model().elements[std::size_t(e)].law;
                const ExactSystem shared = system.withLaw(std::size_t(e), law);
                const auto picture = reliabilityPicture(shared, times, curveTimesTo(3000, 30), go);
                ASSERT_TRUE(picture);
                for (std::size_t i = 0; i < times.size(); ++i)
                    EXPECT_DOUBLE_EQ(picture->atTimes[i], afresh.reliability(times[i]));
                ASSERT_EQ(picture->curve.size(), 31u);
                EXPECT_DOUBLE_EQ(picture->curve[30], afresh.reliability(3000));
                EXPECT_NEAR(picture->meanLife.value, afresh.meanLife().value,
                            1e-10 * afresh.meanLife().value)
                    << "code " << code << " element " << e << " law " << el.dist;
            }
        }
        // The system the changes came from is as it was.
        const ExactSystem again = build(code, -1, {});
        EXPECT_DOUBLE_EQ(system.meanLife().value, again.meanLife().value);
    }
}

TEST(WhatIf, APictureNoLongerWantedIsGivenUp) {
    const ExactSystem system = rows(3, {{exponential(0.001), weibull(1.5, 900)}});
    const std::atomic<bool> stop{true};
    EXPECT_FALSE(reliabilityPicture(system, {100}, {}, stop));
    EXPECT_FALSE(reliabilityPicture(system, {}, {}, stop));  // in the quadrature itself
}

}  // namespace
}  // namespace farvik::analysis
