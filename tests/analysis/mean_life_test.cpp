// Mean lives, reliabilities, hazards and duplications against closed forms, through the
// engine's reader: data file -> engine tables -> model -> exact values.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <random>

#include "analysis_systems.h"
#include "distributions.h"
#include "mean_life.h"

namespace farvik::analysis {
namespace {

using namespace testing;

constexpr double kRelative = 1e-12;

void expectMean(const ExactSystem& s, double expected) {
    const Estimate life = s.meanLife();
    EXPECT_TRUE(near(life.value, expected, kRelative))
        << "mean " << life.value << " expected " << expected;
    // The error bound is small and covers the actual error.
    EXPECT_LT(life.error, kRelative * expected);
    EXPECT_LE(std::fabs(life.value - expected), life.error + 4e-16 * expected);
}

TEST(MeanLife, SeriesParallelAndPathsOfExponentials) {
    const double a = 0.001, b = 0.002, c = 0.0005;
    expectMean(rows(1, {{exponential(a), exponential(b), exponential(c)}}), 1 / (a + b + c));
    expectMean(rows(2, {{exponential(a), exponential(b), exponential(c)}}),
               1 / a + 1 / b + 1 / c - 1 / (a + b) - 1 / (a + c) - 1 / (b + c) + 1 / (a + b + c));
    // Code 4 with one element per subsystem is a parallel system too.
    expectMean(rows(4, {{exponential(a)}, {exponential(b)}}), 1 / a + 1 / b - 1 / (a + b));
    const double l = 0.004;
    // 2 out of 3 as its three paths: 1/(3l) + 1/(2l).
    expectMean(paths({exponential(l), exponential(l), exponential(l)}, {{1, 2}, {1, 3}, {2, 3}}),
               5 / (6 * l));
    // The bridge of five equal elements.
    expectMean(paths(std::vector<El>(5, exponential(l)), {{1, 3}, {2, 4}, {1, 5, 4}, {2, 5, 3}}),
               49 / (60 * l));
}

TEST(MeanLife, WeibullNormalAndLognormalElements) {
    // Weibulls of one shape in series are a Weibull of that shape.
    const double beta = 1.7;
    const double scale = std::pow(
        std::pow(1000.0, -beta) + std::pow(2000.0, -beta) + std::pow(1500.0, -beta), -1 / beta);
    expectMean(rows(1, {{weibull(beta, 1000), weibull(beta, 2000), weibull(beta, 1500)}}),
               scale * std::tgamma(1 + 1 / beta));
    expectMean(rows(1, {{weibull(0.6, 300)}}), 300 * std::tgamma(1 + 1 / 0.6));
    // The normal drawn again while negative: mean mu + sd phi(a) / Q(a), a = -mu/sd.
    const auto truncatedMean = [](double mu, double sd) {
        const double a = -mu / sd;
        const double phi = std::exp(-0.5 * a * a) / std::sqrt(2 * M_PI);
        return mu + sd * phi / (0.5 * std::erfc(a / std::sqrt(2.0)));
    };
    expectMean(rows(1, {{normal(1, 1)}}), truncatedMean(1, 1));
    expectMean(rows(1, {{normal(-2, 1.5)}}), truncatedMean(-2, 1.5));
    expectMean(rows(1, {{normal(1000, 10)}}), truncatedMean(1000, 10));
    // A lognormal given by its own mean keeps that mean through the engine's conversion.
    expectMean(rows(1, {{lognormal(900, 300)}}), 900);
    expectMean(rows(1, {{lognormalOfNormal(6, 0.5)}}), std::exp(6 + 0.125));
    // The later of two equal normals is mu + sd / sqrt(pi) (their truncation, 25 standard
    // deviations below, is far below the digits compared).
    expectMean(rows(2, {{normal(500, 20), normal(500, 20)}}), 500 + 20 / std::sqrt(M_PI));
}

// The table's mean life of each distribution (the editor's "Vida media", the study report)
// is the mean of the exact law of a lone element, over random parameters of every code.
TEST(MeanLife, TheTablesMeanIsTheExactLawsMean) {
    struct Range {
        double p1Low, p1High, p2Low, p2High;
    };
    const Range ranges[] = {
        {1e-4, 1, 0, 0},     // rate
        {0.3, 6, 1, 1e4},    // shape, scale
        {-2, 8, 0.05, 2},    // mu, sigma of ln T
        {1, 1e4, 0, 2},      // mean of T, its deviation as a multiple of the mean
        {-4, 1000, 1, 200},  // mean (below 0 as a multiple of the deviation), deviation
    };
    static_assert(std::size(ranges) == kDistributionCount, "a range for every code");
    std::mt19937_64 random(20261210);
    const auto draw = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    for (int code = 1; code <= kDistributionCount; ++code) {
        SCOPED_TRACE(code);
        const Range& r = ranges[code - 1];
        for (int n = 0; n < 20; ++n) {
            double p1 = draw(r.p1Low, r.p1High);
            double p2 = draw(r.p2Low, r.p2High);
            if (code == kLognormal) p2 *= p1;
            if (code == kNormal && p1 < 0) p1 *= p2;
            const auto table = farvik::meanLife(code, p1, p2);
            ASSERT_TRUE(table) << p1 << " " << p2;
            const Estimate exact = rows(1, {{El{code, p1, p2}}}).meanLife();
            EXPECT_TRUE(near(exact.value, *table, 1e-9))
                << p1 << " " << p2 << ": exact " << exact.value << ", table " << *table;
        }
    }
}

TEST(MeanLife, AtomsAreCutAt) {
    // A fixed life of 500 in parallel with an exponential: 500 + e^(-500 l) / l.
    const double l = 0.002;
    expectMean(rows(2, {{normal(500, 0), exponential(l)}}), 500 + std::exp(-500 * l) / l);
    // A Weibull of scale 0 never lives: in series the system does not either.
    EXPECT_EQ(rows(1, {{weibull(2, 0), exponential(l)}}).meanLife().value, 0);
}

TEST(Reliability, BridgeAndTruncatedNormalInClosedForm) {
    const double l = 0.004;
    const ExactSystem bridge(
        paths(std::vector<El>(5, exponential(l)), {{1, 3}, {2, 4}, {1, 5, 4}, {2, 5, 3}}));
    for (double t : {10.0, 100.0, 250.0, 1000.0}) {
        const double p = std::exp(-l * t);
        const double expected =
            2 * p * p + 2 * std::pow(p, 3) - 5 * std::pow(p, 4) + 2 * std::pow(p, 5);
        EXPECT_TRUE(near(bridge.reliability(t), expected, kRelative)) << t;
    }
    const ExactSystem two(rows(2, {{normal(1, 1), normal(1, 1)}}));
    const double kept = 0.5 * std::erfc(-1 / std::sqrt(2.0));
    for (double t : {0.0, 0.5, 2.0, 4.0}) {
        const double s = 0.5 * std::erfc((t - 1) / std::sqrt(2.0)) / kept;
        EXPECT_TRUE(near(two.reliability(t), 1 - (1 - s) * (1 - s), kRelative)) << t;
    }
}

TEST(Hazard, ConstantForExponentialsInSeriesAndWeibullAlone) {
    const ExactSystem series(rows(1, {{exponential(0.001), exponential(0.003)}}));
    for (double t : {1.0, 100.0, 5000.0}) EXPECT_NEAR(series.hazard(t), 0.004, 1e-15);
    const ExactSystem w(rows(1, {{weibull(2.5, 100)}}));
    for (double t : {10.0, 100.0, 180.0}) {
        EXPECT_TRUE(near(w.hazard(t), 2.5 / 100 * std::pow(t / 100, 1.5), 1e-13)) << t;
    }
    // A general system: the hazard is the slope of -ln R.
    const ExactSystem g(
        paths({exponential(0.01), weibull(2, 80), normal(100, 30)}, {{1, 2}, {2, 3}, {3}}));
    for (double t : {20.0, 70.0, 150.0}) {
        const double h = 1e-4 * t;
        const double slope =
            -(std::log(g.reliability(t + h)) - std::log(g.reliability(t - h))) / (2 * h);
        EXPECT_TRUE(near(g.hazard(t), slope, 1e-7)) << t;
    }
    EXPECT_TRUE(std::isnan(rows(1, {{normal(5, 0)}}).hazard(1)));
}

// Element k duplicated is the same system with a second element of k's law standing beside
// k on every path through it: as paths, each path through k also once through the copy.
double meanWithCopyOnPaths(const std::vector<El>& elements,
                           const std::vector<std::vector<int>>& keys, int k) {
    std::vector<El> more = elements;
    more.push_back(elements[k - 1]);
    const int copy = static_cast<int>(more.size());
    std::vector<std::vector<int>> morePaths;
    for (const auto& path : keys) {
        morePaths.push_back(path);
        if (std::find(path.begin(), path.end(), k) == path.end()) continue;
        std::vector<int> other;
        for (int key : path) other.push_back(key == k ? copy : key);
        morePaths.push_back(other);
    }
    return paths(more, morePaths).meanLife().value;
}

TEST(Duplication, SeriesOfExponentialsInClosedForm) {
    const std::vector<double> rates{0.001, 0.002, 0.0005};
    const double all = 0.0035;
    const ExactSystem s(
        rows(1, {{exponential(rates[0]), exponential(rates[1]), exponential(rates[2])}}, 1));
    const auto list = s.duplications();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 3u);
    for (int k = 0; k < 3; ++k) {
        // R = (2 e^(-l t) - e^(-2 l t)) e^(-(all - l) t).
        const double expected = 2 / all - 1 / (all + rates[k]);
        EXPECT_EQ((*list)[k].element, k);
        EXPECT_TRUE(near((*list)[k].meanLife.value, expected, kRelative));
        EXPECT_TRUE(near((*list)[k].gain.value, expected - 1 / all, 1e-11));
    }
    // The cheapest element to lose is the one that fails soonest.
    EXPECT_EQ(bestDuplication(*list), 1u);
}

TEST(Duplication, PathsWithACopyOfTheElement) {
    const std::vector<El> elements{exponential(0.004), weibull(1.5, 300), normal(250, 80),
                                   lognormal(400, 150), exponential(0.002)};
    const std::vector<std::vector<int>> keys{{1, 3}, {2, 4, 2}, {1, 5, 4}, {2, 5, 3}};
    const ExactSystem s(paths(elements, keys, 1));
    const auto list = s.duplications();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 5u);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_TRUE(
            near((*list)[k - 1].meanLife.value, meanWithCopyOnPaths(elements, keys, k), 1e-11))
            << "element " << k;
    }
    // Subsystems: in class 3 (code 3) the copy joins the element's parallel group; in class
    // 4 (code 4) it is a path of its own through the rest of its row.
    const ExactSystem three(rows(3, {{exponential(0.01), weibull(2, 90)}, {normal(120, 40)}}, 1));
    const auto l3 = three.duplications();
    ASSERT_TRUE(l3);
    const double paths3 = meanWithCopyOnPaths({exponential(0.01), weibull(2, 90), normal(120, 40)},
                                              {{1, 3}, {2, 3}}, 3);
    EXPECT_TRUE(near((*l3)[2].meanLife.value, paths3, 1e-11));
    const ExactSystem four(rows(4, {{exponential(0.01), weibull(2, 90)}, {normal(120, 40)}}, 1));
    const auto l4 = four.duplications();
    ASSERT_TRUE(l4);
    const double paths4 =
        meanWithCopyOnPaths({exponential(0.01), weibull(2, 90), normal(120, 40)}, {{1, 2}, {3}}, 1);
    EXPECT_TRUE(near((*l4)[0].meanLife.value, paths4, 1e-11));
}

TEST(Duplication, ProgressCountsAndStops) {
    const ExactSystem s(rows(3, {{exponential(0.01), exponential(0.02)}, {exponential(0.03)}}, 1));
    std::vector<int> seen;
    EXPECT_TRUE(s.duplications([&](int done, int total) {
        seen.push_back(done);
        EXPECT_EQ(total, 3);
        return true;
    }));
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
    int calls = 0;
    EXPECT_FALSE(s.duplications([&](int, int) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace farvik::analysis
