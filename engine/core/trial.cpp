#include "trial.h"

#include "muestra.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace brenta {

double minfila(const double* column, int n) {
    if (n < 1) return 1e18;
    double out = column[0];
    for (int m = 1; m < n; ++m) out = column[m] < out ? column[m] : out;
    return out;
}

double maxfila(const double* column, int n) {
    if (n < 1) return 0.0;
    double out = column[0];
    for (int m = 1; m < n; ++m) out = column[m] > out ? column[m] : out;
    return out;
}

double combine(const SystemData& s, const Table50<double>& t, double* rowTimes) {
    const int rows = s.rowCount();
    if (s.kclase == farvik::kSeriesOfParallelClass) {
        for (int i = 1; i <= rows; ++i) rowTimes[i] = maxfila(t.column(i), s.rowLength(i));
        return minfila(rowTimes + 1, rows);
    }
    for (int i = 1; i <= rows; ++i) rowTimes[i] = minfila(t.column(i), s.rowLength(i));
    return maxfila(rowTimes + 1, rows);
}

void drawTrial(Generator& g, const SystemData& s, TrialState& st) {
    const bool dup = s.redundancy();
    if (s.kclase != farvik::kGeneralClass) {
        for (int i = 1; i <= s.nsub; ++i) {
            for (int j = 1; j <= s.nelsub[i]; ++j) {
                muestra(g, s, j, i, st.tel(j, i));
                if (dup) muestra(g, s, j, i, st.tdup(j, i));
            }
        }
        return;
    }
    for (int b = 1; b <= s.nel; ++b) {
        const int key = s.iclave[b];
        muestra(g, s, key, 1, st.tclave[key]);
        if (dup) muestra(g, s, key, 1, st.tdclave[key]);
    }
    for (int p = 1; p <= s.ncam; ++p) {
        for (int m = 1; m <= s.nelcam[p]; ++m) {
            const int key = s.icam(m, p);
            st.tel(m, p) = st.tclave[key];
            if (dup) st.tdup(m, p) = st.tdclave[key];
        }
    }
}

void contar_causas(const Table50<double>& a, double tsis, const SystemData& s,
                   Table50<std::int32_t>& ncausa) {
    static_assert(kDim <= 64, "a row's positions fit in one mask");
    const int rows = s.rowCount();
    for (int i = 1; i <= rows; ++i) {
        const double* column = a.column(i);
        const int n = s.rowLength(i);
        // The positions equal to tsis as the bits of a mask, two comparisons at a time
        // (a column holds kDim values, so reading the pair past an odd n stays inside it);
        // then only those positions are counted: mostly one, often none.
        std::uint64_t equal = 0;
#if defined(__SSE2__)
        const __m128d t = _mm_set1_pd(tsis);
        for (int j = 0; j < n; j += 2) {
            const __m128d pair = _mm_loadu_pd(column + j);
            equal |= static_cast<std::uint64_t>(_mm_movemask_pd(_mm_cmpeq_pd(pair, t))) << j;
        }
        equal &= (std::uint64_t{1} << n) - 1;
#else
        for (int j = 0; j < n; ++j) equal |= static_cast<std::uint64_t>(column[j] == tsis) << j;
#endif
        std::int32_t* counts = ncausa.column(i);
        for (; equal != 0; equal &= equal - 1) ++counts[__builtin_ctzll(equal)];
    }
}

void TrialHooks::duplicateRow(std::int32_t k, int i, const double* xd, int n) {
    for (int j = 0; j < n; ++j) duplicateCell(k, j + 1, i, xd[j], nullptr, nullptr);
}

void TrialHooks::duplicateElements(const SystemData& s, std::int32_t k, const double* keyTime) {
    for (int p = 1; p <= s.ncam; ++p) {
        for (int m = 1; m <= s.nelcam[p]; ++m) {
            duplicateCell(k, m, p, keyTime[s.icam(m, p)], nullptr, nullptr);
        }
    }
}

void TrialHooks::duplicateCellChange(const TrialState& st, std::int32_t k, int j, int i, double xd,
                                     const DuplicateChange& change) {
    Table50<double> work = st.tel;
    std::array<double, kDim + 1> workRows = st.tsub;
    for (int c = 0; c < change.cellCount; ++c)
        work(change.cells[c].j, change.cells[c].i) = change.pair;
    for (int r = 0; r < change.rowCount; ++r) workRows[change.rows[r].i] = change.rows[r].t;
    duplicateCell(k, j, i, xd, &work, workRows.data());
}

}  // namespace brenta
