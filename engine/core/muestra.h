#pragma once

#include <cmath>

#include "aleat.h"
#include "distributions.h"
#include "system_data.h"

namespace brenta {

// Polar-method deviates; n below 1 leaves t unchanged (the engine always passes 1).
void normal_polar(Generator& g, int n, double mean, double sd, double& t);
void lognormal_polar(Generator& g, int n, double mu, double sigma, double& t);

// The normal and lognormal draws (codes 3, 4 and 5) by the polar method.
void drawPolar(Generator& g, int code, double p1, double p2, double& t);

// The transforms of the draws, one place for each expression: a run that draws on one
// thread and transforms on others must compute exactly the same values.
inline double exponentialTime(double u, double rate) {
    return -(1.0 / rate) * std::log(u);
}
inline double weibullTime(double u, double shape, double scale) {
    return scale * std::pow(-std::log(u), 1.0 / shape);
}
// One attempt of the polar method from two uniforms: x1 and s = x1^2 + x2^2; false when
// the point must be drawn again (outside the unit circle, or at its centre).
inline bool polarAttempt(double u1, double u2, double& x1, double& s) {
    x1 = 2.0 * u1 - 1.0;
    const double x2 = 2.0 * u2 - 1.0;
    s = x1 * x1 + x2 * x2;
    return !(s > 1.0 || s == 0.0);
}
// The standard normal deviate of an accepted attempt.
inline double polarValue(double x1, double s) {
    return x1 * std::sqrt(-(2.0 * std::log(s)) / s);
}
inline double lognormalTime(double x1, double s, double mu, double sigma) {
    return std::exp(mu + sigma * polarValue(x1, s));
}
inline double normalTime(double x1, double s, double mean, double sd) {
    return polarValue(x1, s) * sd + mean;
}

// A uniform above 0, for the logarithm of the exponential and Weibull draws.
inline double positiveUniform(Generator& g) {
    double u;
    do {
        u = aleat(g);
    } while (u == 0.0);
    return u;
}

// Every distribution of the table needs its draw here, in drawPolar and in TrialDraws.
static_assert(farvik::kDistributionCount == 5, "a new distribution needs its draw");

// Failure time of element (j, i) by its distribution code; a code outside 1..5 leaves t.
inline void muestra(Generator& g, const SystemData& s, int j, int i, double& t) {
    const int code = s.distribution(j, i);
    const double p1 = s.parameter(1, j, i);
    const double p2 = s.parameter(2, j, i);
    switch (code) {
        case farvik::kExponential:
            t = exponentialTime(positiveUniform(g), p1);
            break;
        case farvik::kWeibull:
            t = weibullTime(positiveUniform(g), p1, p2);
            break;
        case farvik::kLognormalNormal:
        case farvik::kLognormal:
        case farvik::kNormal:
            drawPolar(g, code, p1, p2, t);
            break;
        default:
            break;
    }
}

}  // namespace brenta
