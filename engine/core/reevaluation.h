#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "system_data.h"
#include "trial.h"

namespace brenta {

// The system time of one trial with each element duplicated in turn: an element and its
// duplicate work in parallel, so the pair fails at the later of their two times.

// Makes tdup the time of each element's pair (the later of tel and tdup).
void pairDuplicates(const SystemData& s, TrialState& st);

// The literal re-evaluation: the whole structure is combined again for every cell. Its
// cost grows with the square of the number of positions; it stays as the reference.
void reevaluateDirect(const SystemData& s, TrialState& st, std::int32_t k, TrialHooks& hooks);

// The same results in linear time per trial: each cell's system time follows from the
// rows' best and second-best times (classes 3 and 4) or, for a general system, from each
// path's minimum, how many positions reach it and the next larger time. For trials 1 to
// 20, whose working tables go to the first-trials file, it also says what each
// duplication changes in them.
class IncrementalReevaluation {
  public:
    explicit IncrementalReevaluation(const SystemData& s);
    void operator()(const SystemData& s, TrialState& st, std::int32_t k, TrialHooks& hooks);

  private:
    void classThree(const SystemData& s, const TrialState& st, std::int32_t k, TrialHooks& hooks);
    void classFour(const SystemData& s, const TrialState& st, std::int32_t k, TrialHooks& hooks);
    void classFive(const SystemData& s, const TrialState& st, std::int32_t k, TrialHooks& hooks);
    // Trials 1 to 20: the same, cell by cell, with what each duplication changes.
    void firstSubsystems(const SystemData& s, const TrialState& st, std::int32_t k,
                         TrialHooks& hooks);
    void firstPaths(const SystemData& s, const TrialState& st, std::int32_t k, TrialHooks& hooks);
    // Class 5: each path's minimum (its time, in st.tsub), how many positions hold it and
    // the next larger time.
    void pathMinima(const SystemData& s, const TrialState& st);
    // Class 5: the system time with the element of `key` duplicated, from the path minima;
    // t is the element's time and pair that of the element with its duplicate. With
    // `rows`, also the new time of each path through the element.
    double duplicated(int key, double t, double pair, double tsis, RowTime* rows = nullptr) const;

    std::array<double, kDim> row_{};  // classes 3 and 4: one row's system times

    // Class 5: for each key, the distinct paths through it and how often it stands in each.
    struct PathUse {
        std::int8_t path;
        std::int8_t occurrences;
    };
    std::array<std::array<PathUse, kDim>, kDim + 1> pathsOf_{};
    std::array<std::int32_t, kDim + 1> pathCount_{};
    // Class 5: each key on some path, with its first cell, in the order of the paths.
    struct KeyCell {
        int key, m, p;
    };
    std::vector<KeyCell> keys_;
    // Class 5: the cells that hold each key, cellsOf_[cellStart_[key] ..], in path order.
    std::vector<Position> cellsOf_;
    std::array<std::int32_t, kDim + 2> cellStart_{};
    std::array<RowTime, kDim> rows_{};
    // Class 5: per path, its minimum, how many positions hold it, the next larger time.
    std::array<double, kDim + 1> min_{};
    std::array<std::int32_t, kDim + 1> atMin_{};
    std::array<double, kDim + 1> next_{};
    std::array<double, kDim + 1> keyTime_{};  // system time with that element duplicated
    // Class 5: per path, the positions that hold its minimum (bit m - 1 for position m), and
    // whether every minimum lies no later than the system time (it does, unless a path's
    // first position is undefined).
    std::array<std::uint64_t, kDim + 1> atMinPositions_{};
    bool minimaBelowSystem_ = false;
    // Class 5: per path, the positions where a key stands for the first time, and at each
    // position how often its key stands in the path.
    std::array<std::uint64_t, kDim + 1> firstOfKey_{};
    std::array<std::array<std::int8_t, kDim>, kDim + 1> occurrences_{};
};

enum class Reevaluation { Incremental, Direct };

}  // namespace brenta
