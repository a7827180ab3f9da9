#include "reevaluation.h"

#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace brenta {
namespace {

constexpr double kNone = std::numeric_limits<double>::infinity();

}  // namespace

void pairDuplicates(const SystemData& s, TrialState& st) {
    for (int i = 1; i <= s.rowCount(); ++i) {
        const double* tel = st.tel.column(i);
        double* tdup = st.tdup.column(i);
        // A selection, not a branch, so that the loop runs on whole vectors.
        const int n = s.rowLength(i);
        for (int j = 0; j < n; ++j) tdup[j] = tel[j] > tdup[j] ? tel[j] : tdup[j];
    }
}

void reevaluateDirect(const SystemData& s, TrialState& st, std::int32_t k, TrialHooks& hooks) {
    pairDuplicates(s, st);
    const int rows = s.rowCount();
    Table50<double> work;
    std::array<double, kDim + 1> workRows{};
    for (int i = 1; i <= rows; ++i) {
        for (int j = 1; j <= s.rowLength(i); ++j) {
            for (int c = 1; c <= rows; ++c) {
                for (int m = 1; m <= s.rowLength(c); ++m) work(m, c) = st.tel(m, c);
            }
            if (s.kclase == farvik::kGeneralClass) {
                const int key = s.icam(j, i);
                for (int c = 1; c <= rows; ++c) {
                    for (int m = 1; m <= s.rowLength(c); ++m) {
                        if (s.icam(m, c) == key) work(m, c) = st.tdup(j, i);
                    }
                }
            } else {
                work(j, i) = st.tdup(j, i);
            }
            const double xd = combine(s, work, workRows.data());
            const bool early = k <= kFirstTrials;
            hooks.duplicateCell(k, j, i, xd, early ? &work : nullptr,
                                early ? workRows.data() : nullptr);
        }
    }
}

IncrementalReevaluation::IncrementalReevaluation(const SystemData& s) {
    if (s.kclase != farvik::kGeneralClass) return;
    for (int p = 1; p <= s.ncam; ++p) {
        for (int m = 1; m <= s.nelcam[p]; ++m) {
            const int key = s.icam(m, p);
            auto& uses = pathsOf_[key];
            std::int32_t& count = pathCount_[key];
            if (count == 0) keys_.push_back({key, m, p});
            if (count > 0 && uses[count - 1].path == p) {
                ++uses[count - 1].occurrences;
            } else {
                uses[count++] = {static_cast<std::int8_t>(p), 1};
            }
        }
    }
    for (int p = 1; p <= s.ncam; ++p) {
        std::array<std::int8_t, kDim + 1> inPath{};
        for (int m = 1; m <= s.nelcam[p]; ++m) ++inPath[s.icam(m, p)];
        std::array<bool, kDim + 1> seen{};
        for (int m = 1; m <= s.nelcam[p]; ++m) {
            const int key = s.icam(m, p);
            if (!seen[key]) firstOfKey_[p] |= std::uint64_t{1} << (m - 1);
            seen[key] = true;
            occurrences_[p][m - 1] = inPath[key];
        }
    }
    std::array<std::int32_t, kDim + 2> counts{};
    for (int p = 1; p <= s.ncam; ++p) {
        for (int m = 1; m <= s.nelcam[p]; ++m) ++counts[s.icam(m, p)];
    }
    for (int key = 1; key <= kDim; ++key) cellStart_[key + 1] = cellStart_[key] + counts[key];
    cellsOf_.resize(cellStart_[kDim + 1]);
    std::array<std::int32_t, kDim + 2> filled = cellStart_;
    for (int p = 1; p <= s.ncam; ++p) {
        for (int m = 1; m <= s.nelcam[p]; ++m) cellsOf_[filled[s.icam(m, p)]++] = {m, p};
    }
}

void IncrementalReevaluation::operator()(const SystemData& s, TrialState& st, std::int32_t k,
                                         TrialHooks& hooks) {
    if (k <= kFirstTrials) {
        if (s.kclase == farvik::kGeneralClass) {
            firstPaths(s, st, k, hooks);
        } else {
            pairDuplicates(s, st);
            firstSubsystems(s, st, k, hooks);
        }
        return;
    }
    if (s.kclase == farvik::kGeneralClass) {
        classFive(s, st, k, hooks);  // pairs each element once, not each of its cells
        return;
    }
    pairDuplicates(s, st);
    if (s.kclase == farvik::kSeriesOfParallelClass) {
        classThree(s, st, k, hooks);
    } else {
        classFour(s, st, k, hooks);
    }
}

// Subsystems in series, elements in parallel: a duplicate can only raise its subsystem's
// maximum, and the system takes the least of that and the other subsystems' times.
void IncrementalReevaluation::classThree(const SystemData& s, const TrialState& st, std::int32_t k,
                                         TrialHooks& hooks) {
    const int rows = s.nsub;
    int first = 1;
    for (int i = 2; i <= rows; ++i) {
        if (st.tsub[i] < st.tsub[first]) first = i;
    }
    double second = kNone;
    for (int i = 1; i <= rows; ++i) {
        if (i != first && st.tsub[i] < second) second = st.tsub[i];
    }
    for (int i = 1; i <= rows; ++i) {
        const double others = i == first ? second : st.tsub[first];
        const double own = st.tsub[i];
        const double* pair = st.tdup.column(i);
        const int n = s.nelsub[i];
        for (int j = 0; j < n; ++j) {
            const double row = pair[j] > own ? pair[j] : own;
            row_[j] = row < others ? row : others;
        }
        hooks.duplicateRow(k, i, row_.data(), n);
    }
}

// Subsystems in parallel, elements in series: the row's time without the duplicated
// position comes from its least and second-least times; raising one row raises the
// system's maximum at most to it.
void IncrementalReevaluation::classFour(const SystemData& s, const TrialState& st, std::int32_t k,
                                        TrialHooks& hooks) {
    for (int i = 1; i <= s.nsub; ++i) {
        const int n = s.nelsub[i];
        const double* tel = st.tel.column(i);
        const double* pair = st.tdup.column(i);
        int first = 0;
        for (int j = 1; j < n; ++j) {
            if (tel[j] < tel[first]) first = j;
        }
        double second = kNone;
        for (int j = 0; j < n; ++j) {
            if (j != first && tel[j] < second) second = tel[j];
        }
        const double least = tel[first];
        for (int j = 0; j < n; ++j) {
            const double rest = j == first ? second : least;
            const double row = pair[j] < rest ? pair[j] : rest;
            row_[j] = row > st.tsis ? row : st.tsis;
        }
        hooks.duplicateRow(k, i, row_.data(), n);
    }
}

namespace {

// How many of tel[0..n-1] equal `least` (their minimum) and the least of the others (kNone
// when there are none). Those others hold no zero (it would be below least, or equal to it)
// and so no two values that compare equal yet differ (+0 and -0); an undefined value is
// never taken. The order of the comparisons cannot change the result, so they go two
// lanes at a time.
void countAndNext(const double* tel, int n, double least, std::int32_t& count, double& next,
                  std::uint64_t& atLeast) {
    int m = 0;
    count = 0;
    next = kNone;
    atLeast = 0;
#if defined(__SSE2__)
    const __m128d lanesLeast = _mm_set1_pd(least);
    const __m128d none = _mm_set1_pd(kNone);
    __m128d lanesNext = none;
    __m128i ties = _mm_setzero_si128();
    for (; m + 1 < n; m += 2) {
        const __m128d t = _mm_loadu_pd(tel + m);
        const __m128d tie = _mm_cmpeq_pd(t, lanesLeast);
        ties = _mm_sub_epi64(ties, _mm_castpd_si128(tie));  // a tie's mask is -1
        atLeast |= static_cast<std::uint64_t>(_mm_movemask_pd(tie)) << m;
        const __m128d other = _mm_or_pd(_mm_and_pd(tie, none), _mm_andnot_pd(tie, t));
        lanesNext = _mm_min_pd(other, lanesNext);  // other < next ? other : next
    }
    alignas(16) double nexts[2];
    alignas(16) std::int64_t counts[2];
    _mm_store_pd(nexts, lanesNext);
    _mm_store_si128(reinterpret_cast<__m128i*>(counts), ties);
    count = static_cast<std::int32_t>(counts[0] + counts[1]);
    next = nexts[1] < nexts[0] ? nexts[1] : nexts[0];
#endif
    for (; m < n; ++m) {
        const double t = tel[m];
        const bool tie = t == least;
        count += tie;
        atLeast |= static_cast<std::uint64_t>(tie) << m;
        const double other = tie ? kNone : t;
        next = other < next ? other : next;
    }
}

}  // namespace

// General system: duplicating an element changes only the paths through it. Where the
// element does not hold its path's minimum the path keeps it; where it does, the path
// falls to the least of the pair and the other positions, which is the minimum again when
// another position shares it, else the next larger time.
void IncrementalReevaluation::pathMinima(const SystemData& s, const TrialState& st) {
    bool belowSystem = true;
    for (int p = 1; p <= s.ncam; ++p) {
        const double* tel = st.tel.column(p);
        const int n = s.nelcam[p];
        // The path's time, as the trial combined it, is its minimum, unless its first
        // position is undefined (combine keeps that one; here it is passed over).
        double least = n > 0 ? st.tsub[p] : kNone;
        if (least != least) {
            least = kNone;
            for (int m = 0; m < n; ++m) least = tel[m] < least ? tel[m] : least;
        }
        countAndNext(tel, n, least, atMin_[p], next_[p], atMinPositions_[p]);
        min_[p] = least;
        belowSystem = belowSystem && least <= st.tsis;
    }
    minimaBelowSystem_ = belowSystem;
}

void IncrementalReevaluation::classFive(const SystemData& s, const TrialState& st, std::int32_t k,
                                        TrialHooks& hooks) {
    pathMinima(s, st);
    if (!minimaBelowSystem_) {
        // Every cell of an element gives the same time: work it out once, at its first cell.
        for (const KeyCell& c : keys_) {
            const double t = st.tclave[c.key];
            const double dup = st.tdclave[c.key];
            keyTime_[c.key] = duplicated(c.key, t, t > dup ? t : dup, st.tsis);
        }
    } else {
        // A path that the element does not hold at its minimum keeps a time no later than
        // the system's, which cannot raise the system time: only the elements at each path's
        // minimum, mostly one, are worked on, in the order of the paths as duplicated() does.
        for (const KeyCell& c : keys_) keyTime_[c.key] = st.tsis;
        for (int p = 1; p <= s.ncam; ++p) {
            const double least = min_[p];
            for (std::uint64_t at = atMinPositions_[p] & firstOfKey_[p]; at != 0; at &= at - 1) {
                const int m = __builtin_ctzll(at);
                const int key = s.icam(m + 1, p);
                const double t = st.tclave[key];
                const double dup = st.tdclave[key];
                const double pair = t > dup ? t : dup;
                const double rest = atMin_[p] > occurrences_[p][m] ? least : next_[p];
                const double lowered = pair < rest ? pair : rest;
                if (lowered > keyTime_[key]) keyTime_[key] = lowered;
            }
        }
    }
    hooks.duplicateElements(s, k, keyTime_.data());
}

double IncrementalReevaluation::duplicated(int key, double t, double pair, double tsis,
                                           RowTime* rows) const {
    double xd = tsis;
    for (int u = 0; u < pathCount_[key]; ++u) {
        const PathUse use = pathsOf_[key][u];
        const double least = min_[use.path];
        const double rest = atMin_[use.path] > use.occurrences ? least : next_[use.path];
        const double lowered = pair < rest ? pair : rest;
        const double path = t == least ? lowered : least;
        if (rows) rows[u] = {use.path, path};
        if (path > xd) xd = path;
    }
    return xd;
}

// Classes 3 and 4 in the first trials: the duplicated position and its row change.
void IncrementalReevaluation::firstSubsystems(const SystemData& s, const TrialState& st,
                                              std::int32_t k, TrialHooks& hooks) {
    const int rows = s.nsub;
    for (int i = 1; i <= rows; ++i) {
        const int n = s.nelsub[i];
        const double* tel = st.tel.column(i);
        const double* pair = st.tdup.column(i);
        // Class 3: the least of the other rows; class 4: the least of the row's other cells.
        double others = kNone;
        for (int c = 1; c <= rows; ++c) {
            if (c != i && st.tsub[c] < others) others = st.tsub[c];
        }
        int least = 0;
        for (int j = 1; j < n; ++j) {
            if (tel[j] < tel[least]) least = j;
        }
        double second = kNone;
        for (int j = 0; j < n; ++j) {
            if (j != least && tel[j] < second) second = tel[j];
        }
        for (int j = 0; j < n; ++j) {
            double row, xd;
            if (s.kclase == farvik::kSeriesOfParallelClass) {
                row = pair[j] > st.tsub[i] ? pair[j] : st.tsub[i];
                xd = row < others ? row : others;
            } else {
                const double rest = j == least ? second : tel[least];
                row = pair[j] < rest ? pair[j] : rest;
                xd = row > st.tsis ? row : st.tsis;
            }
            const Position cell{j + 1, i};
            const RowTime changed{i, row};
            hooks.duplicateCellChange(st, k, j + 1, i, xd, {pair[j], &cell, 1, &changed, 1});
        }
    }
}

// Class 5 in the first trials: every position of the element and every path through it.
void IncrementalReevaluation::firstPaths(const SystemData& s, const TrialState& st, std::int32_t k,
                                         TrialHooks& hooks) {
    pathMinima(s, st);
    for (int p = 1; p <= s.ncam; ++p) {
        for (int m = 1; m <= s.nelcam[p]; ++m) {
            const int key = s.icam(m, p);
            const double t = st.tclave[key];
            const double dup = st.tdclave[key];
            const double pair = t > dup ? t : dup;
            const double xd = duplicated(key, t, pair, st.tsis, rows_.data());
            hooks.duplicateCellChange(
                st, k, m, p, xd,
                {pair, cellsOf_.data() + cellStart_[key], cellStart_[key + 1] - cellStart_[key],
                 rows_.data(), pathCount_[key]});
        }
    }
}

}  // namespace brenta
