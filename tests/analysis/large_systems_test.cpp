// General systems at the editor's largest size: the variable orders of the paths' diagram
// agree with each other, a diagram out of reach is refused within its limits, and the
// bounds that stand in for it hold the exact R wherever R can be had.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "analysis_systems.h"
#include "path_diagram.h"
#include "reliability_bounds.h"

namespace farvik::analysis {
namespace {

using namespace testing;

std::vector<std::vector<int>> randomPaths(std::mt19937& rng, int count, int length, int elements) {
    std::vector<std::vector<int>> paths(count);
    for (auto& path : paths) {
        for (int m = 0; m < length; ++m) path.push_back(int(rng() % elements));
    }
    return paths;
}

TEST(VariableOrder, EveryOrderGivesTheSameReliability) {
    std::mt19937 rng(11);
    for (int trial = 0; trial < 5; ++trial) {
        const int n = 12 + trial;
        const auto paths = randomPaths(rng, 8 + trial, 4, n);
        const auto order = pathVariableOrder(paths, n, VariableOrder::FinishPaths);
        auto sorted = order;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, [&] {
            auto named = pathVariableOrder(paths, n, VariableOrder::FirstNamed);
            std::sort(named.begin(), named.end());
            return named;
        }());
        EXPECT_TRUE(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end());

        DiagramLimits named, finish, sifted;
        named.order = VariableOrder::FirstNamed;
        sifted.order = VariableOrder::FirstNamed;
        sifted.sifting = true;
        const PathDiagram a(paths, n, named), b(paths, n, finish), c(paths, n, sifted);
        std::vector<double> p(n), q(n);
        for (int k = 0; k < n; ++k) {
            p[k] = 0.3 + 0.6 * double(rng() % 1000) / 1000;
            q[k] = 1 - p[k];
        }
        const double r = a.reliability(p.data(), q.data());
        EXPECT_NEAR(b.reliability(p.data(), q.data()), r, 1e-14);
        EXPECT_NEAR(c.reliability(p.data(), q.data()), r, 1e-14);
        EXPECT_NEAR(b.unreliability(p.data(), q.data()), 1 - r, 1e-14);
    }
    // After sifting BuDDy is back to its own order: a plain diagram is right again.
    const PathDiagram plain({{0, 1}, {2}}, 3);
    const double p[] = {0.5, 0.5, 0.5}, q[] = {0.5, 0.5, 0.5};
    EXPECT_DOUBLE_EQ(plain.reliability(p, q), 1 - 0.75 * 0.5);
}

TEST(VariableOrder, FinishingPathsKeepsARandomDiagramSmaller) {
    // Fifty elements, fifty random paths of 25: both orders make it, the greedy one in
    // fewer nodes.
    std::mt19937 rng(2);
    const auto paths = randomPaths(rng, 50, 25, 50);
    DiagramLimits roomy;
    roomy.maxNodes = 4000000;
    roomy.seconds = 120;
    DiagramLimits named = roomy;
    named.order = VariableOrder::FirstNamed;
    const PathDiagram finish(paths, 50, roomy), first(paths, 50, named);
    EXPECT_LT(finish.nodeCount(), first.nodeCount());
}

TEST(LargeSystems, OutOfReachIsSaidWithinTheLimits) {
    std::mt19937 rng(3);
    const auto paths = randomPaths(rng, 50, 13, 50);
    DiagramLimits quick;
    quick.seconds = 0;
    EXPECT_THROW(PathDiagram(paths, 50, quick), TooLargeError);
    EXPECT_THROW(PathDiagram(paths, 50), TooLargeError);  // the defaults
}

TEST(ReliabilityBounds, HoldTheExactReliabilityOfRandomSystems) {
    std::mt19937 rng(8);
    for (int trial = 0; trial < 12; ++trial) {
        const int n = 6 + trial % 6;
        std::vector<El> elements;
        for (int k = 0; k < n; ++k) {
            elements.push_back(k % 2 ? exponential(0.001 * (1 + rng() % 5))
                                     : weibull(1.5, 400 + 100 * (rng() % 8)));
        }
        std::vector<std::vector<int>> keys = randomPaths(rng, 3 + trial % 7, 1 + trial % 4, n);
        for (auto& path : keys) {
            for (int& k : path) ++k;
        }
        const ExactSystem exact = paths(elements, keys);
        const PathBounds bounds(exact.model());
        for (double t : {10.0, 100.0, 400.0, 1000.0, 3000.0}) {
            const double r = exact.reliability(t);
            const ReliabilityBounds b = bounds.at(t);
            EXPECT_LE(b.lower, r + 1e-13) << "trial " << trial << " t " << t;
            EXPECT_GE(b.upper, r - 1e-13) << "trial " << trial << " t " << t;
            EXPECT_LE(b.lower, b.upper);
        }
    }
}

TEST(ReliabilityBounds, ExactForOnePathAndTwoDisjointOnes) {
    const double a = 0.002, b = 0.001, c = 0.003;
    const ExactSystem one = paths({exponential(a), exponential(b)}, {{1, 2}});
    const ReliabilityBounds single = PathBounds(one.model()).at(200);
    EXPECT_NEAR(single.lower, std::exp(-(a + b) * 200), 1e-15);
    EXPECT_NEAR(single.upper, std::exp(-(a + b) * 200), 1e-15);
    // A path holding another adds nothing: {1, 2} under {1}.
    const ExactSystem two =
        paths({exponential(a), exponential(b), exponential(c)}, {{1, 2}, {3}, {3, 1}});
    const double r = two.reliability(300);
    const ReliabilityBounds pair = PathBounds(two.model()).at(300);
    EXPECT_NEAR(pair.lower, r, 1e-15);
    EXPECT_NEAR(pair.upper, r, 1e-15);
}

}  // namespace
}  // namespace farvik::analysis
