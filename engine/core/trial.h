#pragma once

#include <array>
#include <cstdint>

#include "aleat.h"
#include "system_data.h"
#include "table50.h"

namespace brenta {

// Trials 1 to kFirstTrials keep their working tables for the first-trials files, so the
// re-evaluation treats them apart.
constexpr std::int32_t kFirstTrials = 20;

// Working tables of one trial, and the cause counters kept over the run. Rows are the
// subsystems (classes 3 and 4) or the paths (class 5); tel(j, i) is position j of row i.
struct TrialState {
    Table50<double> tel;
    Table50<double> tdup;                    // duplicate times, with the redundancy study
    std::array<double, kDim + 1> tclave{};   // class 5: time of the element with key K
    std::array<double, kDim + 1> tdclave{};  // class 5: its duplicate's time
    std::array<double, kDim + 1> tsub{};     // row times, [1..rows]
    double tsis = 0;
    Table50<std::int32_t> ncausa;
};

// Smallest of column[0..n-1]; 1e18 for an empty column.
double minfila(const double* column, int n);
// Largest of column[0..n-1]; 0.0 for an empty column.
double maxfila(const double* column, int n);

// Row times of `t` into rowTimes[1..rows] and the system time, by the structure class.
double combine(const SystemData& s, const Table50<double>& t, double* rowTimes);

// Draws every element's time (and, with the redundancy study, its duplicate's right after
// it) in the order that fixes the random stream, and fills tel (and tdup).
void drawTrial(Generator& g, const SystemData& s, TrialState& st);

// Adds 1 to ncausa at every position whose time equals tsis exactly.
void contar_causas(const Table50<double>& a, double tsis, const SystemData& s,
                   Table50<std::int32_t>& ncausa);

// What duplicating one element changes in a trial's tables: the positions that hold it
// take the time of the pair, and the rows through it take new times (a row may keep its
// own); every other position and row stays as it was.
struct Position {
    std::int32_t j, i;
};
struct RowTime {
    std::int32_t i;
    double t;
};
struct DuplicateChange {
    double pair;
    const Position* cells;
    int cellCount;
    const RowTime* rows;
    int rowCount;
};

// The per-trial steps of the reports, called in the order of one trial.
class TrialHooks {
  public:
    virtual ~TrialHooks() = default;
    // Right after the system time is known: survival counts of the reliability times.
    virtual void survival(double tsis) = 0;
    // After the causes are counted: first-trials row, listing line, running moments.
    virtual void trialDone(std::int32_t k, const TrialState& st) = 0;
    // With the redundancy study, once per cell (j, i) in row order: the system time with
    // that element duplicated. For trials 1 to 20 also the working table and its row times.
    virtual void duplicateCell(std::int32_t k, int j, int i, double xd, const Table50<double>* work,
                               const double* workRows) = 0;
    // Trials after the first 20, classes 3 and 4: row i's system times with each of its n
    // cells duplicated in turn, xd[0..n-1]. By default one duplicateCell per cell.
    virtual void duplicateRow(std::int32_t k, int i, const double* xd, int n);
    // Trials after the first 20, class 5: the system time with each element duplicated, by
    // key (every cell of an element gives the same). By default one duplicateCell per cell.
    virtual void duplicateElements(const SystemData& s, std::int32_t k, const double* keyTime);
    // Trials 1 to 20, once per cell (j, i) in row order: the system time xd with that
    // element duplicated and what that changes in the trial's tables. By default the
    // working table is built and passed to duplicateCell.
    virtual void duplicateCellChange(const TrialState& st, std::int32_t k, int j, int i, double xd,
                                     const DuplicateChange& change);
    // After the last trial: what the hooks held back is written out.
    virtual void trialsEnded() {}
};

}  // namespace brenta
