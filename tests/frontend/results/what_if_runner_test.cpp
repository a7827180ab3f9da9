// The work of "¿Y si...?" apart from the interface: its answers are the exact analysis of
// the changed system, only the newest question is ever answered, and a system out of reach
// is answered with bounds.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include "results/what_if_runner.h"

namespace farvik {
namespace {

using analysis::ElementLaw;
using analysis::ExactSystem;
using analysis::SystemModel;

// Code 3 as the engine's reader leaves it: an exponential and a Weibull in parallel, in
// series with a normal.
SystemModel seriesOfParallel() {
    SystemModel m;
    m.arrangement = analysis::Arrangement::SeriesOfParallel;
    m.elements = {{{1, 0.001, 0}, 0, 1, 1, "1-1"},
                  {{2, 1.5, 900}, 0, 1, 2, "1-2"},
                  {{5, 1500, 300}, 0, 2, 1, "2-1"}};
    m.rows = {{0, 1}, {2}};
    return m;
}

std::atomic<bool> slow{false};
analysis::ElementState slowState(const ElementLaw& law, double t) {
    if (slow) std::this_thread::sleep_for(std::chrono::microseconds(50));
    return analysis::elementState(law, t);
}

// Every answer given until the whole answer to `question` has come.
std::vector<WhatIfAnswer> answersUntil(WhatIfRunner& runner, quint64 question) {
    std::vector<WhatIfAnswer> seen;
    QObject::connect(&runner, &WhatIfRunner::answered,
                     [&seen](const WhatIfAnswer& a) { seen.push_back(a); });
    auto done = [&] {
        return !seen.empty() && seen.back().question == question && !seen.back().meanLifePending;
    };
    for (int waited = 0; waited < 60000 && !done(); waited += 10) QTest::qWait(10);
    return seen;
}

TEST(WhatIfRunner, TheAnswerIsTheExactAnalysisOfTheChangedSystem) {
    WhatIfRunner runner;
    runner.setSystem(seriesOfParallel());
    const ElementLaw law{2, 3, 2000};  // element 1-2 a better part
    const quint64 q = runner.ask(1, law, {100, 800});
    const auto seen = answersUntil(runner, q);
    ASSERT_FALSE(seen.empty());
    const WhatIfAnswer& a = seen.back();
    ASSERT_TRUE(a.refusal.isEmpty());

    const ExactSystem before(seriesOfParallel());
    SystemModel changed = seriesOfParallel();
    changed.elements[1].law = law;
    const ExactSystem after(changed);
    EXPECT_NEAR(a.before.meanLife.value, before.meanLife().value, 1e-10 * before.meanLife().value);
    EXPECT_NEAR(a.after.meanLife.value, after.meanLife().value, 1e-10 * after.meanLife().value);
    EXPECT_GT(a.after.meanLife.value, a.before.meanLife.value);
    ASSERT_EQ(a.after.atTimes.size(), 2u);
    EXPECT_DOUBLE_EQ(a.before.atTimes[1], before.reliability(800));
    EXPECT_DOUBLE_EQ(a.after.atTimes[1], after.reliability(800));
    // The curves run to twice the mean life as the system stands, before and after alike.
    ASSERT_EQ(a.curveTimes.size(), a.after.curve.size());
    ASSERT_EQ(a.curveTimes.size(), a.before.curve.size());
    EXPECT_DOUBLE_EQ(a.curveTimes.back(), 2 * a.before.meanLife.value);
    EXPECT_DOUBLE_EQ(a.after.curve.back(), after.reliability(a.curveTimes.back()));
}

// Questions asked while the one before is still worked out: none but the last is answered,
// and what is answered is the last one's law, never an older one's values.
TEST(WhatIfRunner, OnlyTheNewestQuestionIsAnswered) {
    WhatIfRunner runner(slowState);
    runner.setSystem(seriesOfParallel(), 3000);
    slow = true;
    runner.ask(0, {1, 0.002, 0}, {500});
    std::this_thread::sleep_for(std::chrono::milliseconds(30));  // the first is under way
    runner.ask(0, {1, 0.003, 0}, {500});
    const quint64 last = runner.ask(0, {1, 0.0001, 0}, {500});
    slow = false;
    auto seen = answersUntil(runner, last);
    QTest::qWait(200);  // nothing older comes later either
    ASSERT_GE(seen.size(), 1u);
    SystemModel changed = seriesOfParallel();
    changed.elements[0].law = {1, 0.0001, 0};
    for (const WhatIfAnswer& a : seen) {
        EXPECT_EQ(a.question, last);
        EXPECT_DOUBLE_EQ(a.after.atTimes[0], ExactSystem(changed).reliability(500));
    }
    EXPECT_FALSE(runner.working());
}

// An answer already worked out, on its way to the interface when a newer question is asked,
// is dropped there.
TEST(WhatIfRunner, AnAnswerOvertakenOnItsWayIsDropped) {
    WhatIfRunner runner;
    runner.setSystem(seriesOfParallel(), 3000);
    runner.ask(2, {5, 900, 100}, {500});
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // done, not yet delivered
    const quint64 last = runner.ask(2, {5, 2000, 100}, {500});
    const auto seen = answersUntil(runner, last);
    ASSERT_GE(seen.size(), 1u);
    for (const WhatIfAnswer& a : seen) EXPECT_EQ(a.question, last);
}

// Where R and the curves take long, they come first, the mean life after; both answers
// agree with the exact analysis of the changed system.
TEST(WhatIfRunner, RAndTheCurvesComeBeforeALongMeanLife) {
    WhatIfRunner runner(slowState);
    runner.setSystem(seriesOfParallel(), 3000);
    slow = true;
    const quint64 q = runner.ask(1, {2, 3, 2000}, {100, 800});
    const auto seen = answersUntil(runner, q);
    slow = false;
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[0].meanLifePending);
    EXPECT_FALSE(seen[1].meanLifePending);
    SystemModel changed = seriesOfParallel();
    changed.elements[1].law = {2, 3, 2000};
    const ExactSystem after(changed);
    EXPECT_EQ(seen[0].after.atTimes, seen[1].after.atTimes);
    EXPECT_EQ(seen[0].after.curve, seen[1].after.curve);
    EXPECT_DOUBLE_EQ(seen[0].after.atTimes[1], after.reliability(800));
    EXPECT_NEAR(seen[1].after.meanLife.value, after.meanLife().value,
                1e-10 * after.meanLife().value);
}

TEST(WhatIfRunner, ASystemOutOfReachIsAnsweredWithTheBoundsOfR) {
    // 50 elements, 50 paths of 13 random keys: beyond the decision diagram's limits.
    std::mt19937 rng(7);
    SystemModel m;
    m.arrangement = analysis::Arrangement::Paths;
    for (int k = 1; k <= 50; ++k) m.elements.push_back({{1, 0.001, 0}, k, 0, 0, std::to_string(k)});
    for (int p = 0; p < 50; ++p) {
        std::vector<int> row;
        for (int j = 0; j < 13; ++j) row.push_back(int(rng() % 50));
        m.rows.push_back(row);
    }
    WhatIfRunner runner;
    runner.setSystem(m);
    const quint64 q = runner.ask(3, {1, 0.0001, 0}, {100, 1000});
    const auto seen = answersUntil(runner, q);
    ASSERT_EQ(seen.size(), 1u);
    const WhatIfAnswer& a = seen[0];
    EXPECT_TRUE(a.refusal.startsWith(QStringLiteral("El sistema es demasiado grande")));
    ASSERT_EQ(a.boundsBefore.size(), 2u);
    ASSERT_EQ(a.boundsAfter.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_LE(0, a.boundsBefore[i].lower);
        EXPECT_LE(a.boundsBefore[i].lower, a.boundsBefore[i].upper);
        EXPECT_LE(a.boundsBefore[i].upper, 1);
        EXPECT_LE(a.boundsAfter[i].lower, a.boundsAfter[i].upper);
    }
}

}  // namespace
}  // namespace farvik
