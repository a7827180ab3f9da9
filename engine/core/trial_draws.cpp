#include "trial_draws.h"

#include "muestra.h"

namespace brenta {

TrialDraws::TrialDraws(const SystemData& s) : s_(s) {
    const bool dup = s.redundancy();
    auto add = [this, &s](int j, int i, Target target, int index) {
        const int code = s.distribution(j, i);
        const double mean = s.parameter(1, j, i);
        const double sd = s.parameter(2, j, i);
        // The deviate x1 * f of an attempt with x1 < 0 is at least -sqrt(2 (1 - s) / s)
        // (x1^2 <= s and -ln s <= 1/s - 1), so the time stays above 0 when
        // 2 sd^2 (1 - s) < mean^2 s; a margin of 1e-6 covers every rounding on both sides.
        const double margin = (1 + 1e-6) * (1 + 1e-6);
        slots_.push_back({code, target, index, mean, sd, 2 * sd * sd * margin, mean * mean});
        if (!farvik::findDistribution(code)) supported_ = false;
        rawPerTrial_ += code == farvik::kExponential || code == farvik::kWeibull ? 1 : 2;
    };
    if (s.kclase != farvik::kGeneralClass) {
        for (int i = 1; i <= s.nsub; ++i) {
            for (int j = 1; j <= s.nelsub[i]; ++j) {
                const int cell = (i - 1) * kDim + (j - 1);
                add(j, i, kTel, cell);
                if (dup) add(j, i, kTdup, cell);
            }
        }
        return;
    }
    for (int b = 1; b <= s.nel; ++b) {
        const int key = s.iclave[b];
        add(key, 1, kTclave, key);
        if (dup) add(key, 1, kTdclave, key);
    }
}

// Every distribution of the table needs its raw values and its transform here.
static_assert(farvik::kDistributionCount == 5, "a new distribution needs its draw");

void TrialDraws::drawRaw(Generator& g, double* raw) const {
    for (const Slot& slot : slots_) {
        switch (slot.code) {
            case farvik::kExponential:
            case farvik::kWeibull:
                *raw++ = positiveUniform(g);
                break;
            case farvik::kLognormalNormal:
            case farvik::kLognormal:
                for (;;) {
                    const double u1 = aleat(g);
                    const double u2 = aleat(g);
                    if (polarAttempt(u1, u2, raw[0], raw[1])) break;
                }
                raw += 2;
                break;
            default:  // normal: attempts until one gives a time not below 0
                for (;;) {
                    const double u1 = aleat(g);
                    const double u2 = aleat(g);
                    if (!polarAttempt(u1, u2, raw[0], raw[1])) continue;
                    if (surelyNotNegative(slot, raw[0], raw[1]) ||
                        !(normalTime(raw[0], raw[1], slot.p1, slot.p2) < 0.0)) {
                        break;
                    }
                }
                raw += 2;
                break;
        }
    }
}

bool TrialDraws::surelyNotNegative(const Slot& slot, double x1, double s) {
    if (!(slot.p1 >= 0 && slot.p2 >= 0)) return false;
    // x1 >= 0: every factor and the mean are at least 0 (or -0), and so is the time.
    return x1 >= 0 || (1 - s) * slot.spread < s * slot.level;
}

void TrialDraws::transform(const double* raw, TrialState& st) const {
    double* const storage[] = {st.tel.v.data(), st.tdup.v.data(), st.tclave.data(),
                               st.tdclave.data()};
    for (const Slot& slot : slots_) {
        double t;
        switch (slot.code) {
            case farvik::kExponential:
                t = exponentialTime(*raw++, slot.p1);
                break;
            case farvik::kWeibull:
                t = weibullTime(*raw++, slot.p1, slot.p2);
                break;
            case farvik::kLognormalNormal:
            case farvik::kLognormal:
                t = lognormalTime(raw[0], raw[1], slot.p1, slot.p2);
                raw += 2;
                break;
            default:
                t = normalTime(raw[0], raw[1], slot.p1, slot.p2);
                raw += 2;
                break;
        }
        storage[slot.target][slot.index] = t;
    }
    if (s_.kclase != farvik::kGeneralClass) return;
    const bool dup = s_.redundancy();
    for (int p = 1; p <= s_.ncam; ++p) {
        for (int m = 1; m <= s_.nelcam[p]; ++m) {
            const int key = s_.icam(m, p);
            st.tel(m, p) = st.tclave[key];
            if (dup) st.tdup(m, p) = st.tdclave[key];
        }
    }
}

}  // namespace brenta
