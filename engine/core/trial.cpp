#include "trial.h"

#include "muestra.h"

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
    const int rows = s.rowCount();
    for (int i = 1; i <= rows; ++i) {
        const double* column = a.column(i);
        std::int32_t* counts = ncausa.column(i);
        const int n = s.rowLength(i);
        for (int j = 0; j < n; ++j) counts[j] += column[j] == tsis;
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
