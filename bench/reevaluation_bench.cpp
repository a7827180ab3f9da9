// The re-evaluation of one trial with each element duplicated, alone: the literal one
// against the incremental one, on the benchmark systems (Google Benchmark).
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>

#include "bench_systems.h"
#include "leer_sistema.h"
#include "redundancy.h"
#include "reevaluation.h"
#include "trial.h"

namespace {

// What the reports do with each cell's time: its running means.
struct MeansOnly : brenta::TrialHooks {
    brenta::RedundancyStats stats;
    void survival(double) override {}
    void trialDone(std::int32_t, const brenta::TrialState&) override {}
    void duplicateCell(std::int32_t k, int j, int i, double xd, const brenta::Table50<double>*,
                       const double*) override {
        stats.add(k, j, i, xd);
    }
};

struct Prepared {
    brenta::SystemData s;
    std::unique_ptr<brenta::TrialState> st = std::make_unique<brenta::TrialState>();
};

Prepared prepare(const char* name) {
    Prepared p;
    std::istringstream in(farvik::dataFileBytes(bench::makeCase(name, 1000)));
    p.s = brenta::leer_sistema(in, name);
    brenta::Generator g(p.s.iseed);
    brenta::drawTrial(g, p.s, *p.st);
    p.st->tsis = brenta::combine(p.s, p.st->tel, p.st->tsub.data());
    return p;
}

void direct(benchmark::State& state, const char* name) {
    Prepared p = prepare(name);
    auto hooks = std::make_unique<MeansOnly>();
    std::int32_t k = 21;
    for (auto _ : state) brenta::reevaluateDirect(p.s, *p.st, k++, *hooks);
    state.SetItemsProcessed(state.iterations());
}

void incremental(benchmark::State& state, const char* name) {
    Prepared p = prepare(name);
    auto hooks = std::make_unique<MeansOnly>();
    brenta::IncrementalReevaluation reevaluate(p.s);
    std::int32_t k = 21;
    for (auto _ : state) reevaluate(p.s, *p.st, k++, *hooks);
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK_CAPTURE(direct, R1000, "R1000")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(incremental, R1000, "R1000")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(direct, G50, "G50")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(incremental, G50, "G50")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
