#pragma once

#include <cmath>
#include <cstdint>

namespace brenta {

// Running means of a time and of its square over the trials (means, not sums).
struct RunningMoments {
    double mean = 0;
    double mean2 = 0;

    void add(std::int32_t k, double x) {
        mean = mean + (x - mean) / k;
        mean2 = mean2 + (x * x - mean2) / k;
    }
};

// Standard error of a mean over nsim trials: 0 for a single trial, and a variance that
// rounding leaves below zero counts as 0.
inline double standardError(const RunningMoments& m, std::int32_t nsim) {
    if (nsim <= 1) return 0.0;
    double variance = m.mean2 - m.mean * m.mean;
    if (variance < 0) variance = 0;
    return std::sqrt(variance) / std::sqrt(static_cast<double>(nsim - 1));
}

}  // namespace brenta
