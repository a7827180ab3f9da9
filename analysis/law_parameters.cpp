#include "law_parameters.h"

#include <cmath>
#include <stdexcept>

#include "distributions.h"
#include "standard_normal.h"

namespace farvik::analysis {
namespace {

// The lognormal's own mean and deviation from the normal's parameters the law holds (the
// inverse of the reader's conversion).
void lognormalMoments(const ElementLaw& law, double& m, double& d) {
    const double s2 = law.p2 * law.p2;
    m = std::exp(law.p1 + 0.5 * s2);
    d = m * std::sqrt(std::expm1(s2));
}

}  // namespace

int parameterCount(int code) {
    const Distribution* d = findDistribution(code);
    return d ? d->parameterCount : 0;
}

// Every distribution of the table needs its derivatives here.
static_assert(kDistributionCount == 5, "a new distribution needs its law");

double givenParameter(const ElementLaw& law, int k) {
    if (law.code == kLognormal) {
        double m = 0, d = 0;
        lognormalMoments(law, m, d);
        return k == 1 ? m : d;
    }
    return k == 1 ? law.p1 : law.p2;
}

double survivalDerivative(const ElementLaw& law, int k, double t) {
    // Every law starts surviving at 0 whatever its parameters.
    // and has none left at infinity.
    if (t <= 0 || !std::isfinite(t)) return 0;
    switch (law.code) {
        case kExponential:
            return -t * std::exp(-law.p1 * t);
        case kWeibull: {
            const double shape = law.p1, scale = law.p2;
            const double u = t / scale;
            const double x = std::pow(u, shape);
            const double s = std::exp(-x);
            if (s == 0) return 0;  // x may have overflowed: nothing left to move
            return k == 1 ? -s * x * std::log(u) : s * x * shape / scale;
        }
        case kLognormalNormal:
        case kLognormal: {
            const double sigma = law.p2;
            const double z = (std::log(t) - law.p1) / sigma;
            const double byMu = normalDensity(z) / sigma;  // dS/d mu
            const double bySigma = byMu * z;               // dS/d sigma
            if (law.code == kLognormalNormal) return k == 1 ? byMu : bySigma;
            // The reader's mu = 2 ln m - ln(m^2 + d^2) / 2, sigma^2 = ln((m^2 + d^2) / m^2).
            double m = 0, d = 0;
            lognormalMoments(law, m, d);
            const double sum = m * m + d * d;
            if (k == 1) {
                return byMu * (2 / m - m / sum) + bySigma * (-d * d / (m * sum * sigma));
            }
            return byMu * (-d / sum) + bySigma * (d / (sum * sigma));
        }
        case kNormal: {
            // S = Q(z) / Q(z0), z = (t - mu) / sd, z0 = -mu / sd; Q' = -phi.
            const double mu = law.p1, sd = law.p2;
            const double z = (t - mu) / sd, z0 = -mu / sd;
            const double kept = upperTail(z0);
            const double s = upperTail(z) / kept;
            // dz/dmu = dz0/dmu = -1/sd; dz/dsd = -z/sd, dz0/dsd = -z0/sd.
            const double wz = k == 1 ? 1 / sd : z / sd;
            const double wz0 = k == 1 ? 1 / sd : z0 / sd;
            return (normalDensity(z) * wz - s * normalDensity(z0) * wz0) / kept;
        }
        default:
            throw std::invalid_argument("código de distribución desconocido");
    }
}

double atomShift(const ElementLaw& law, int k) {
    switch (law.code) {
        case kWeibull:  // scale 0: the life is the scale times a Weibull of scale 1
            return k == 2 ? std::tgamma(1 + 1 / law.p1) : 0;
        case kLognormalNormal:
            return k == 1 ? std::exp(law.p1) : 0;
        case kLognormal:
        case kNormal:
            return k == 1 ? 1 : 0;
        default:
            return 0;
    }
}

}  // namespace farvik::analysis
