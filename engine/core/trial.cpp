#include "trial.h"

#include "muestra.h"

namespace brenta {

double minfila(const double* column, int n) {
    if (n < 1) return 1e18;
    double out = column[0];
    for (int m = 1; m < n; ++m) {
        if (column[m] < out) out = column[m];
    }
    return out;
}

double maxfila(const double* column, int n) {
    if (n < 1) return 0.0;
    double out = column[0];
    for (int m = 1; m < n; ++m) {
        if (column[m] > out) out = column[m];
    }
    return out;
}

double combine(const SystemData& s, const Table50<double>& t, double* rowTimes) {
    const int rows = s.rowCount();
    if (s.kclase == 3) {
        for (int i = 1; i <= rows; ++i) rowTimes[i] = maxfila(t.column(i), s.rowLength(i));
        return minfila(rowTimes + 1, rows);
    }
    for (int i = 1; i <= rows; ++i) rowTimes[i] = minfila(t.column(i), s.rowLength(i));
    return maxfila(rowTimes + 1, rows);
}

void drawTrial(Generator& g, const SystemData& s, TrialState& st) {
    const bool dup = s.redundancy();
    if (s.kclase != 5) {
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
    for (int i = 1; i <= s.rowCount(); ++i) {
        const double* column = a.column(i);
        std::int32_t* counts = ncausa.column(i);
        for (int j = 0; j < s.rowLength(i); ++j) {
            if (column[j] == tsis) ++counts[j];
        }
    }
}

void reevaluateDirect(const SystemData& s, TrialState& st, std::int32_t k, TrialHooks& hooks) {
    const int rows = s.rowCount();
    for (int i = 1; i <= rows; ++i) {
        for (int j = 1; j <= s.rowLength(i); ++j) {
            if (st.tel(j, i) > st.tdup(j, i)) st.tdup(j, i) = st.tel(j, i);
        }
    }
    Table50<double> work;
    std::array<double, kDim + 1> workRows{};
    for (int i = 1; i <= rows; ++i) {
        for (int j = 1; j <= s.rowLength(i); ++j) {
            for (int c = 1; c <= rows; ++c) {
                for (int m = 1; m <= s.rowLength(c); ++m) work(m, c) = st.tel(m, c);
            }
            if (s.kclase == 5) {
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
            const bool early = k <= 20;
            hooks.duplicateCell(k, j, i, xd, early ? &work : nullptr,
                                early ? workRows.data() : nullptr);
        }
    }
}

void simulate(const SystemData& s, Generator& g, TrialState& st, TrialHooks& hooks) {
    for (std::int32_t k = 1; k <= s.nsim; ++k) {
        drawTrial(g, s, st);
        st.tsis = combine(s, st.tel, st.tsub.data());
        hooks.survival(st.tsis);
        contar_causas(st.tel, st.tsis, s, st.ncausa);
        hooks.trialDone(k, st);
        if (s.redundancy()) reevaluateDirect(s, st, k, hooks);
        if (k == s.nsim) break;  // k must not overflow at nsim = 2^31 - 1
    }
}

}  // namespace brenta
