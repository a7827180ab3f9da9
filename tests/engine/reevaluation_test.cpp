// The incremental re-evaluation against the literal one, over many random systems.
#include "reevaluation.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "simulation.h"

namespace brenta {
namespace {

struct Cell {
    std::int32_t k;
    int j, i;
    double xd;
    bool operator==(const Cell& o) const { return k == o.k && j == o.j && i == o.i && xd == o.xd; }
};

struct Recorder : TrialHooks {
    std::vector<double> tsis;
    std::vector<Cell> cells;
    void survival(double) override {}
    void trialDone(std::int32_t, const TrialState& st) override { tsis.push_back(st.tsis); }
    void duplicateCell(std::int32_t k, int j, int i, double xd, const Table50<double>*,
                       const double*) override {
        cells.push_back({k, j, i, xd});
    }
};

// Elements drawn from a few fixed lives (so that times tie often) or exponentials.
void randomElement(std::mt19937& rng, SystemData& s, int j, int i) {
    if (rng() % 2 == 0) {
        s.distribution(j, i) = 5;
        s.parameter(1, j, i) = 1 + rng() % 4;
        s.parameter(2, j, i) = 0;
    } else {
        s.distribution(j, i) = 1;
        s.parameter(1, j, i) = 0.5 + (rng() % 3);
    }
}

SystemData randomSystem(std::mt19937& rng, int kclase, bool allowEmptyRows) {
    SystemData s;
    s.kclase = kclase;
    s.itipo = kclase;
    s.iredun = 1;
    s.nsim = 30 + rng() % 20;
    s.iseed = rng() % 1000;
    const bool big = rng() % 20 == 0;
    if (kclase == 5) {
        s.nel = 1 + rng() % (big ? 50 : 6);
        s.ndim = s.nel;
        s.ncam = 1 + rng() % (big ? 50 : 5);
        s.createElementTables();
        for (int b = 1; b <= s.nel; ++b) {
            s.iclave[b] = b;
            randomElement(rng, s, b, 1);
        }
        for (int p = 1; p <= s.ncam; ++p) {
            s.nelcam[p] = (allowEmptyRows && rng() % 8 == 0) ? 0 : 1 + rng() % (big ? 13 : 4);
            for (int m = 1; m <= s.nelcam[p]; ++m) s.icam(m, p) = 1 + rng() % s.nel;
        }
    } else {
        s.nsub = 1 + rng() % (big ? 50 : 5);
        int widest = 0;
        for (int i = 1; i <= s.nsub; ++i) {
            s.nelsub[i] = (allowEmptyRows && rng() % 8 == 0) ? 0 : 1 + rng() % (big ? 20 : 4);
            widest = std::max(widest, s.nelsub[i]);
        }
        s.ndim = std::max(widest, s.nsub);
        s.createElementTables();
        for (int i = 1; i <= s.nsub; ++i) {
            for (int j = 1; j <= s.nelsub[i]; ++j) randomElement(rng, s, j, i);
        }
    }
    return s;
}

// The working tables of the first trials, as the first-trials file shows them: each row's
// positions and time, then the system time, per duplicated cell.
struct TableRecorder : Recorder {
    const SystemData* s = nullptr;
    std::vector<std::vector<double>> tables;
    void duplicateCell(std::int32_t k, int j, int i, double xd, const Table50<double>* work,
                       const double* workRows) override {
        Recorder::duplicateCell(k, j, i, xd, work, workRows);
        if (!work) return;
        std::vector<double> values;
        for (int c = 1; c <= s->rowCount(); ++c) {
            for (int m = 1; m <= s->rowLength(c); ++m) values.push_back((*work)(m, c));
            values.push_back(workRows[c]);
        }
        values.push_back(xd);
        tables.push_back(values);
    }
};

Recorder runWith(const SystemData& s, Reevaluation mode) {
    Generator g(s.iseed);
    auto st = std::make_unique<TrialState>();
    Recorder r;
    simulate(s, g, *st, r, mode);
    return r;
}

TEST(IncrementalReevaluation, AgreesWithTheDirectOneOnRandomSystems) {
    std::mt19937 rng(2024);
    int compared = 0;
    for (int n = 0; n < 3000; ++n) {
        const int kclase = 3 + n % 3;
        const SystemData s = randomSystem(rng, kclase, n % 4 == 0);
        const Recorder direct = runWith(s, Reevaluation::Direct);
        const Recorder incremental = runWith(s, Reevaluation::Incremental);
        ASSERT_EQ(direct.tsis, incremental.tsis);
        ASSERT_EQ(direct.cells.size(), incremental.cells.size());
        for (std::size_t c = 0; c < direct.cells.size(); ++c) {
            const Cell& a = direct.cells[c];
            const Cell& b = incremental.cells[c];
            ASSERT_TRUE(a == b) << "system " << n << " class " << kclase << " trial " << a.k
                                << " cell (" << a.j << ", " << a.i << "): " << a.xd << " against "
                                << b.xd;
            compared += a.k > 20;
        }
    }
    EXPECT_GT(compared, 100000);
}

// Trials 1 to 20 are not combined again either: what each duplication changes gives the
// same working tables as the literal re-evaluation builds.
TEST(IncrementalReevaluation, FirstTrialsWorkingTablesAgreeWithTheDirectOnes) {
    std::mt19937 rng(99);
    std::size_t compared = 0;
    for (int n = 0; n < 600; ++n) {
        const int kclase = 3 + n % 3;
        const SystemData s = randomSystem(rng, kclase, n % 4 == 0);
        TableRecorder direct, incremental;
        direct.s = incremental.s = &s;
        for (auto [mode, recorder] : {std::pair{Reevaluation::Direct, &direct},
                                      std::pair{Reevaluation::Incremental, &incremental}}) {
            Generator g(s.iseed);
            auto st = std::make_unique<TrialState>();
            simulate(s, g, *st, *recorder, mode);
        }
        ASSERT_EQ(direct.tables.size(), incremental.tables.size()) << "system " << n;
        for (std::size_t t = 0; t < direct.tables.size(); ++t) {
            ASSERT_EQ(direct.tables[t], incremental.tables[t])
                << "system " << n << " class " << kclase << " cell " << t;
        }
        compared += direct.tables.size();
    }
    EXPECT_GT(compared, 20000u);
}

TEST(IncrementalReevaluation, SharedElementRepeatedOnOnePath) {
    // Key 1 twice on path 1 and once on path 2; fixed lives make every case a tie.
    SystemData s;
    s.kclase = s.itipo = 5;
    s.iredun = 1;
    s.nsim = 25;
    s.nel = s.ndim = 3;
    s.ncam = 2;
    s.createElementTables();
    const double lives[] = {2, 2, 3};
    for (int b = 1; b <= 3; ++b) {
        s.iclave[b] = b;
        s.distribution(b, 1) = b == 3 ? 1 : 5;
        s.parameter(1, b, 1) = lives[b - 1];
    }
    s.nelcam[1] = 3;
    s.icam(1, 1) = 1, s.icam(2, 1) = 2, s.icam(3, 1) = 1;
    s.nelcam[2] = 2;
    s.icam(1, 2) = 1, s.icam(2, 2) = 3;
    const Recorder direct = runWith(s, Reevaluation::Direct);
    const Recorder incremental = runWith(s, Reevaluation::Incremental);
    ASSERT_EQ(direct.cells.size(), incremental.cells.size());
    for (std::size_t c = 0; c < direct.cells.size(); ++c) {
        EXPECT_TRUE(direct.cells[c] == incremental.cells[c]) << c;
    }
}

}  // namespace
}  // namespace brenta
