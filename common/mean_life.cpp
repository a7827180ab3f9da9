#include "mean_life.h"

#include <cmath>

#include "codes.h"
#include "parameter_rules.h"

namespace farvik {
namespace {

// Mean of a normal (mean m, deviation s > 0) truncated to [0, inf): m + s phi(a) / (1 - Phi(a))
// with a = -m / s. The tail is taken from erfc, which stays exact far into it.
double truncatedNormalMean(double m, double s) {
    constexpr double kInverseRootTwoPi = 0.398942280401432677940;
    const double a = -m / s;
    const double density = kInverseRootTwoPi * std::exp(-0.5 * a * a);
    const double tail = 0.5 * std::erfc(a / std::sqrt(2.0));
    return m + s * density / tail;
}

}  // namespace

std::optional<double> meanLife(int code, double p1, double p2) {
    if (code < kExponential || code > kNormal) return std::nullopt;
    if (!parameterFaults(code, p1, p2).empty()) return std::nullopt;
    double mean = 0;
    switch (code) {
        case kExponential:
            mean = 1.0 / p1;
            break;
        case kWeibull:
            mean = p2 * std::tgamma(1.0 + 1.0 / p1);
            break;
        case kLognormalNormal:
            mean = std::exp(p1 + 0.5 * p2 * p2);
            break;
        case kLognormal: {
            double mu = 0, sigma = 0;
            lognormalFromMoments(p1, p2, mu, sigma);
            mean = std::exp(mu + 0.5 * sigma * sigma);
            break;
        }
        case kNormal:
            mean = p2 == 0 ? p1 : truncatedNormalMean(p1, p2);
            break;
    }
    if (!std::isfinite(mean)) return std::nullopt;
    return mean;
}

}  // namespace farvik
