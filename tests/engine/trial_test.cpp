#include "trial.h"
#include "reevaluation.h"
#include "simulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "test_systems.h"

namespace brenta {
namespace {

using testing::El;
using testing::general;
using testing::subsystems;
using testing::systemOf;

// Records what the trial loop hands to the reports.
struct Recorder : TrialHooks {
    std::vector<double> tsis;
    std::map<std::tuple<int, int, int>, double> xd;  // (k, j, i)
    int survivalCalls = 0;
    void survival(double) override { ++survivalCalls; }
    void trialDone(std::int32_t, const TrialState& st) override { tsis.push_back(st.tsis); }
    void duplicateCell(std::int32_t k, int j, int i, double x, const Table50<double>* work,
                       const double*) override {
        xd[{k, j, i}] = x;
        EXPECT_EQ(work != nullptr, k <= 20);
    }
};

TEST(RowExtremes, TrueMinimumAndMaximumWithEmptyRowStarts) {
    const double a[] = {3.0, 1.5, 7.0};
    EXPECT_EQ(minfila(a, 3), 1.5);
    EXPECT_EQ(maxfila(a, 3), 7.0);
    EXPECT_EQ(minfila(a, 0), 1e18);
    EXPECT_EQ(maxfila(a, 0), 0.0);
    const double huge[] = {5e18, 2e19};
    EXPECT_EQ(minfila(huge, 2), 5e18);
}

TEST(Trial, ParallelPairCountsOnlyTheLaterFailure) {
    SystemData s = systemOf(subsystems(2, 2, {{{1, 1}, {1, 1}}}));
    TrialState st;
    st.tel(1, 1) = 3.0;
    st.tel(2, 1) = 5.0;
    st.tsis = combine(s, st.tel, st.tsub.data());
    EXPECT_EQ(st.tsis, 5.0);
    contar_causas(st.tel, st.tsis, s, st.ncausa);
    EXPECT_EQ(st.ncausa(1, 1), 0);
    EXPECT_EQ(st.ncausa(2, 1), 1);
}

TEST(Trial, SeriesAndParallelOfTheSameElements) {
    const std::vector<std::vector<El>> four = {{{1, 0.001}, {1, 0.002}, {1, 0.003}, {1, 0.004}}};
    const SystemData series = systemOf(subsystems(1, 2, four, 9, 50));
    const SystemData parallel = systemOf(subsystems(2, 2, four, 9, 50));
    Generator g1(9), g2(9);
    TrialState a, b;
    for (int k = 0; k < 50; ++k) {
        drawTrial(g1, series, a);
        drawTrial(g2, parallel, b);
        ASSERT_EQ(combine(series, a.tel, a.tsub.data()), minfila(a.tel.column(1), 4));
        ASSERT_EQ(combine(parallel, b.tel, b.tsub.data()), maxfila(a.tel.column(1), 4));
    }
}

TEST(Trial, TiesAreAllCounted) {
    SystemData s = systemOf(subsystems(3, 2, {{{1, 1}, {1, 1}}, {{1, 1}}}));
    TrialState st;
    st.tel(1, 1) = 4.0;
    st.tel(2, 1) = 2.0;
    st.tel(1, 2) = 4.0;
    st.tsis = combine(s, st.tel, st.tsub.data());  // min(max(4, 2), 4)
    EXPECT_EQ(st.tsis, 4.0);
    contar_causas(st.tel, st.tsis, s, st.ncausa);
    EXPECT_EQ(st.ncausa(1, 1), 1);
    EXPECT_EQ(st.ncausa(2, 1), 0);
    EXPECT_EQ(st.ncausa(1, 2), 1);
}

TEST(Trial, CausesAreCountedAtEveryTiedPositionOfLongRowsAndNowhereBeyondARow) {
    // Series of parallel rows of 49 and 50 positions: ties at the first, the middle and the
    // last positions count; a value equal to the system time left past a row's end does not.
    SystemData s =
        systemOf(subsystems(3, 2, {std::vector<El>(49, El{1, 1}), std::vector<El>(50, El{1, 1})}));
    TrialState st;
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 50; ++j) st.tel(j, i) = 1.0 + j;
    const double tsis = 7.5;
    const std::vector<int> tied = {1, 31, 32, 33, 49};
    for (int j : tied) st.tel(j, 1) = tsis;
    st.tel(50, 1) = tsis;  // row 1 has 49 positions: this one lies past its end
    st.tel(50, 2) = tsis;
    st.tel(2, 2) = tsis;
    contar_causas(st.tel, tsis, s, st.ncausa);
    contar_causas(st.tel, tsis, s, st.ncausa);
    for (int j = 1; j <= 50; ++j) {
        const bool inRow1 = std::find(tied.begin(), tied.end(), j) != tied.end();
        EXPECT_EQ(st.ncausa(j, 1), inRow1 ? 2 : 0) << j;
        EXPECT_EQ(st.ncausa(j, 2), (j == 2 || j == 50) ? 2 : 0) << j;
    }
}

TEST(Trial, SharedPathElementHasOneTimeAndIsCountedAtEachPosition) {
    // Paths {1, 3} and {2, 3}: element 3 in series with a parallel pair.
    const SystemData s = systemOf(
        general(2, {{1, {1, 0.001}}, {2, {1, 0.001}}, {3, {1, 0.01}}}, {{1, 3}, {2, 3}}, 4, 200));
    Generator g(4);
    TrialState st;
    int sharedCauses = 0;
    for (int k = 0; k < 200; ++k) {
        drawTrial(g, s, st);
        ASSERT_EQ(st.tel(2, 1), st.tel(2, 2));
        ASSERT_EQ(st.tel(2, 1), st.tclave[3]);
        st.tsis = combine(s, st.tel, st.tsub.data());
        contar_causas(st.tel, st.tsis, s, st.ncausa);
        sharedCauses += st.tsis == st.tclave[3];
    }
    EXPECT_GT(sharedCauses, 0);
    EXPECT_EQ(st.ncausa(2, 1), sharedCauses);
    EXPECT_EQ(st.ncausa(2, 2), sharedCauses);
}

TEST(Trial, DuplicateIsDrawnRightAfterItsElement) {
    const std::vector<std::vector<El>> two = {{{1, 0.001}, {1, 0.001}}};
    const SystemData plain = systemOf(subsystems(1, 2, two, 3));
    const SystemData dup = systemOf(subsystems(1, 1, two, 3));
    Generator g1(3), g2(3);
    TrialState a, b;
    drawTrial(g1, plain, a);
    drawTrial(g2, dup, b);
    EXPECT_EQ(a.tel(1, 1), b.tel(1, 1));   // the first time is the same
    EXPECT_EQ(a.tel(2, 1), b.tdup(1, 1));  // the next number went to the duplicate
    EXPECT_NE(a.tel(2, 1), b.tel(2, 1));
}

TEST(Trial, ReevaluationPairsAndRecombinesEachCell) {
    SystemData s = systemOf(subsystems(3, 1, {{{1, 1}, {1, 1}}, {{1, 1}}}));
    TrialState st;
    st.tel(1, 1) = 2.0, st.tdup(1, 1) = 6.0;
    st.tel(2, 1) = 3.0, st.tdup(2, 1) = 1.0;
    st.tel(1, 2) = 4.0, st.tdup(1, 2) = 9.0;
    Recorder r;
    reevaluateDirect(s, st, 1, r);
    // Subsystem 1 = max(2, 3) = 3, subsystem 2 = 4: the system fails at 3.
    EXPECT_EQ(r.xd.at({1, 1, 1}), 4.0);  // min(max(6, 3), 4)
    EXPECT_EQ(r.xd.at({1, 2, 1}), 3.0);  // the duplicate fails earlier: pair = 3
    EXPECT_EQ(r.xd.at({1, 1, 2}), 3.0);  // min(3, 9)
    EXPECT_EQ(st.tdup(2, 1), 3.0) << "tdup holds the pair's time";
}

TEST(Trial, ReevaluationDuplicatesASharedElementOnEveryPath) {
    SystemData s = systemOf(general(1, {{1, {1, 1}}, {2, {1, 1}}, {3, {1, 1}}}, {{1, 3}, {2, 3}}));
    TrialState st;
    st.tel(1, 1) = 10, st.tdup(1, 1) = 0;
    st.tel(2, 1) = 1, st.tdup(2, 1) = 8;
    st.tel(1, 2) = 12, st.tdup(1, 2) = 0;
    st.tel(2, 2) = 1, st.tdup(2, 2) = 8;
    Recorder r;
    reevaluateDirect(s, st, 21, r);
    EXPECT_EQ(r.xd.at({21, 2, 1}), 8.0);  // max(min(10, 8), min(12, 8))
    EXPECT_EQ(r.xd.at({21, 2, 2}), 8.0);  // the same element, the same result
    EXPECT_EQ(r.xd.at({21, 1, 1}), 1.0);
}

TEST(Trial, SimulateRunsEveryStepOncePerTrial) {
    const SystemData s = systemOf(subsystems(4, 1, {{{1, 0.01}, {1, 0.02}}, {{2, 2, 50}}}, 2, 30));
    Generator g(s.iseed);
    TrialState st;
    Recorder r;
    simulate(s, g, st, r);
    EXPECT_EQ(r.tsis.size(), 30u);
    EXPECT_EQ(r.survivalCalls, 30);
    EXPECT_EQ(r.xd.size(), 30u * 3);
}

}  // namespace
}  // namespace brenta
