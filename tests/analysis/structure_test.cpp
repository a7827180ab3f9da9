// Structure functions against closed forms, the path diagram against the row products, and
// the derivatives against the linearity of R in each element.
#include <gtest/gtest.h>

#include <random>

#include "analysis_systems.h"
#include "path_diagram.h"
#include "row_structures.h"

namespace farvik::analysis {
namespace {

using namespace testing;

struct Probabilities {
    std::vector<double> p, q;
    explicit Probabilities(std::vector<double> values) : p(std::move(values)) {
        for (double v : p) q.push_back(1 - v);
    }
};

double evaluate(const StructureFunction& f, const Probabilities& pr) {
    return f.reliability(pr.p.data(), pr.q.data());
}

// Every derivative equals R with the element working minus R with it failed, and the
// value that comes with them is R itself.
void expectPartials(const StructureFunction& f, const Probabilities& pr) {
    std::vector<double> d(pr.p.size(), -1);
    const double r = f.reliabilityAndPartials(pr.p.data(), pr.q.data(), d.data());
    EXPECT_NEAR(r, evaluate(f, pr), 1e-15);
    for (std::size_t k = 0; k < pr.p.size(); ++k) {
        Probabilities up = pr, down = pr;
        up.p[k] = 1;
        up.q[k] = 0;
        down.p[k] = 0;
        down.q[k] = 1;
        EXPECT_NEAR(d[k], evaluate(f, up) - evaluate(f, down), 1e-14) << "element " << k;
    }
}

const Probabilities kFive({0.9, 0.8, 0.7, 0.95, 0.6});

TEST(Structure, SeriesParallelKOutOfNAndBridgeInClosedForm) {
    const auto& p = kFive.p;
    const double series = p[0] * p[1] * p[2];
    const double parallel = 1 - (1 - p[0]) * (1 - p[1]) * (1 - p[2]);
    EXPECT_NEAR(evaluate(RowStructure({{0, 1, 2}}, false), kFive), series, 1e-15);
    EXPECT_NEAR(evaluate(RowStructure({{0, 1, 2}}, true), kFive), parallel, 1e-15);
    EXPECT_NEAR(evaluate(PathDiagram({{0, 1, 2}}, 3), kFive), series, 1e-15);
    EXPECT_NEAR(evaluate(PathDiagram({{0}, {1}, {2}}, 3), kFive), parallel, 1e-15);

    // 2 out of 3 as its three minimal paths.
    const double two = p[0] * p[1] + p[0] * p[2] + p[1] * p[2] - 2 * p[0] * p[1] * p[2];
    EXPECT_NEAR(evaluate(PathDiagram({{0, 1}, {0, 2}, {1, 2}}, 3), kFive), two, 1e-15);

    // The bridge: 0 and 1 in front, 2 and 3 behind, 4 across; by conditioning on 4.
    const double across = (1 - (1 - p[0]) * (1 - p[1])) * (1 - (1 - p[2]) * (1 - p[3]));
    const double without = 1 - (1 - p[0] * p[2]) * (1 - p[1] * p[3]);
    const double bridge = p[4] * across + (1 - p[4]) * without;
    const PathDiagram b({{0, 2}, {1, 3}, {0, 4, 3}, {1, 4, 2}}, 5);
    EXPECT_NEAR(evaluate(b, kFive), bridge, 1e-15);
    expectPartials(b, kFive);
}

TEST(Structure, PathsOfRowsGiveTheRowProducts) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> u(0.01, 0.99);
    for (int round = 0; round < 20; ++round) {
        // Class 4 rows are paths as they stand; class 3 rows are series of parallel groups,
        // whose paths take one element of each row.
        std::vector<std::vector<int>> rows;
        int n = 0;
        const int count = 1 + round % 3;
        for (int i = 0; i < count; ++i) {
            std::vector<int> row;
            for (int m = 0, size = 1 + (round + i) % 3; m < size; ++m) row.push_back(n++);
            rows.push_back(row);
        }
        std::vector<double> values;
        for (int k = 0; k < n; ++k) values.push_back(u(random));
        const Probabilities pr(values);
        const RowStructure parallelOfSeries(rows, false), seriesOfParallel(rows, true);
        EXPECT_NEAR(evaluate(parallelOfSeries, pr), evaluate(PathDiagram(rows, n), pr), 1e-15);
        std::vector<std::vector<int>> crossing{{}};
        for (const auto& row : rows) {
            std::vector<std::vector<int>> longer;
            for (const auto& path : crossing) {
                for (int k : row) {
                    longer.push_back(path);
                    longer.back().push_back(k);
                }
            }
            crossing = longer;
        }
        EXPECT_NEAR(evaluate(seriesOfParallel, pr), evaluate(PathDiagram(crossing, n), pr), 1e-15);
        expectPartials(parallelOfSeries, pr);
        expectPartials(seriesOfParallel, pr);
    }
}

TEST(Structure, RowsKeepTheirDigitsNearZeroAndOne) {
    // Three elements in parallel each working with 1e-7: R = 1 - (1 - 1e-7)^3 ~ 3e-7.
    const Probabilities tiny({1e-7, 1e-7, 1e-7});
    const double expected = 3e-7 - 3e-14 + 1e-21;
    EXPECT_TRUE(near(evaluate(RowStructure({{0, 1, 2}}, true), tiny), expected, 1e-14));
    // Two rows of one element in parallel (class 4), each failed with 1e-9: R = 1 - 1e-18.
    Probabilities sure({1, 1});
    sure.q = {1e-9, 1e-9};
    sure.p = {1 - 1e-9, 1 - 1e-9};
    const double failing = 1 - evaluate(RowStructure({{0}, {1}}, false), sure);
    EXPECT_LT(failing, 2e-16);
}

TEST(Structure, SharedAndRepeatedKeysAreOneElement) {
    // A key repeated in a path counts once; an element that no minimal path needs has no
    // importance.
    const PathDiagram repeated({{0, 0, 1}, {1, 2, 2}}, 3);
    const PathDiagram plain({{0, 1}, {1, 2}}, 3);
    EXPECT_NEAR(evaluate(repeated, kFive), evaluate(plain, kFive), 1e-16);
    const PathDiagram absorbed({{0}, {0, 1}}, 2);
    std::vector<double> d(2, -1);
    const Probabilities pr({0.3, 0.6});
    EXPECT_NEAR(absorbed.reliabilityAndPartials(pr.p.data(), pr.q.data(), d.data()), 0.3, 1e-16);
    EXPECT_NEAR(d[0], 1.0, 1e-16);
    EXPECT_EQ(d[1], 0.0);
    // Shared by paths: element 1 is in both.
    expectPartials(plain, Probabilities({0.9, 0.8, 0.7}));
}

TEST(Structure, ModelFollowsTheEngineTables) {
    // Keys given in the order 3, 1, 2, and key 4 on no path: elements by key, 4 left out.
    std::vector<std::pair<int, El>> keyed{
        {3, exponential(0.3)}, {1, exponential(0.1)}, {2, exponential(0.2)}, {4, weibull(2, 5)}};
    const SystemModel m = modelOfContent(brenta::testing::general(1, keyed, {{1, 3}, {2, 3, 3}}));
    ASSERT_EQ(m.arrangement, Arrangement::Paths);
    ASSERT_EQ(m.elements.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(m.elements[k].key, k + 1);
        EXPECT_EQ(m.elements[k].label, std::to_string(k + 1));
        EXPECT_DOUBLE_EQ(m.elements[k].law.p1, 0.1 * (k + 1));
    }
    EXPECT_EQ(m.rows, (std::vector<std::vector<int>>{{0, 2}, {1, 2, 2}}));

    // Code 1 is computed as class 4 and code 2 as class 3 (one subsystem each).
    const std::vector<std::vector<El>> subs{{exponential(1), exponential(2)}};
    EXPECT_EQ(modelOfContent(brenta::testing::subsystems(1, 2, subs)).arrangement,
              Arrangement::ParallelOfSeries);
    EXPECT_EQ(modelOfContent(brenta::testing::subsystems(2, 2, subs)).arrangement,
              Arrangement::SeriesOfParallel);
    const SystemModel three = modelOfContent(
        brenta::testing::subsystems(3, 2, {{exponential(1)}, {exponential(2), exponential(3)}}));
    ASSERT_EQ(three.elements.size(), 3u);
    EXPECT_EQ(three.elements[2].label, "2-2");
    EXPECT_EQ(three.rows, (std::vector<std::vector<int>>{{0}, {1, 2}}));
}

TEST(Structure, ADiagramTooLargeIsRefused) {
    // Fifty paths of thirteen keys drawn at random: no variable order keeps that small.
    std::mt19937 random(3);
    std::vector<std::vector<int>> paths(50);
    for (auto& path : paths) {
        for (int m = 0; m < 13; ++m) path.push_back(int(random() % 50));
    }
    PathDiagram::Limits small;
    small.maxNodes = 200000;
    small.seconds = 60;
    EXPECT_THROW(PathDiagram(paths, 50, small), TooLargeError);
    // BuDDy is left fit for the next diagram.
    EXPECT_NEAR(evaluate(PathDiagram({{0, 1}}, 2), kFive), 0.72, 1e-15);
}

}  // namespace
}  // namespace farvik::analysis
