#include "element_law.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include <boost/math/special_functions/erf.hpp>

#include "distributions.h"
#include "standard_normal.h"

namespace farvik::analysis {
namespace {

// The z with upperTail(z) = q.
double upperTailInverse(double q) {
    return kSqrt2 * boost::math::erfc_inv(2.0 * q);
}

// P(z0 <= Z < z) for z0 <= z, from the tail on the side where both lie, so that a small
// difference of two values near 1 keeps its digits.
double normalBetween(double z0, double z) {
    if (z0 >= 0) return upperTail(z0) - upperTail(z);
    if (z <= 0) return upperTail(-z) - upperTail(-z0);
    return 1.0 - upperTail(z) - upperTail(-z0);
}

ElementState atTime(double t, double at) {
    return t <= at ? ElementState{1, 0, 0} : ElementState{0, 1, 0};
}

// Every distribution of the table needs its law here and in law_parameters.cpp.
static_assert(kDistributionCount == 5, "a new distribution needs its law");

}  // namespace

bool atom(const ElementLaw& law, double& at) {
    switch (law.code) {
        case kWeibull:
            at = 0;
            return law.p2 == 0;
        case kLognormalNormal:
        case kLognormal:
            at = std::exp(law.p1);
            return law.p2 == 0;
        case kNormal:
            at = law.p1;
            return law.p2 == 0;
        default:
            return false;
    }
}

namespace {
double densityAtZero(const ElementLaw& law) {
    switch (law.code) {
        case kExponential:
            return law.p1;
        case kWeibull:
            // Shape below 1: the density grows without bound towards 0.
            if (law.p1 == 1) return 1 / law.p2;
            return law.p1 > 1 ? 0 : std::numeric_limits<double>::infinity();
        case kNormal:
            return normalDensity(-law.p1 / law.p2) / (law.p2 * upperTail(-law.p1 / law.p2));
        default:  // the lognormals vanish at 0
            return 0;
    }
}

}  // namespace

ElementState elementState(const ElementLaw& law, double t) {
    double at = 0;
    if (atom(law, at)) return atTime(t, at);
    // Every law draws times of at least 0, and a time of 0 survives t = 0.
    if (t < 0) return {1, 0, 0};
    // At 0 itself the density is its limit from the right, so that the hazard starts where
    // the law does (the exponential's rate, not 0).
    if (t == 0) return {1, 0, densityAtZero(law)};
    switch (law.code) {
        case kExponential: {
            const double x = law.p1 * t;
            const double s = std::exp(-x);
            return {s, -std::expm1(-x), law.p1 * s};
        }
        case kWeibull: {
            const double u = t / law.p2;
            const double x = std::pow(u, law.p1);
            const double s = std::exp(-x);
            return {s, -std::expm1(-x), law.p1 / law.p2 * std::pow(u, law.p1 - 1) * s};
        }
        case kLognormalNormal:
        case kLognormal: {
            const double z = (std::log(t) - law.p1) / law.p2;
            return {upperTail(z), upperTail(-z), normalDensity(z) / (law.p2 * t)};
        }
        case kNormal: {
            // Drawn again while negative: the normal conditioned on T >= 0.
            const double z0 = -law.p1 / law.p2;
            const double z = (t - law.p1) / law.p2;
            const double kept = upperTail(z0);
            return {upperTail(z) / kept, normalBetween(z0, z) / kept,
                    normalDensity(z) / (law.p2 * kept)};
        }
        default:
            throw std::invalid_argument("código de distribución desconocido");
    }
}

double survivalQuantile(const ElementLaw& law, double q) {
    switch (law.code) {
        case kExponential:
            return -std::log(q) / law.p1;
        case kWeibull:
            return law.p2 * std::pow(-std::log(q), 1.0 / law.p1);
        case kLognormalNormal:
        case kLognormal:
            return std::exp(law.p1 + law.p2 * upperTailInverse(q));
        case kNormal: {
            const double kept = upperTail(-law.p1 / law.p2);
            return law.p1 + law.p2 * upperTailInverse(q * kept);
        }
        default:
            throw std::invalid_argument("código de distribución desconocido");
    }
}

}  // namespace farvik::analysis
