#pragma once

#include <cmath>

#include "aleat.h"
#include "codes.h"
#include "system_data.h"

namespace brenta {

// Polar-method deviates; n below 1 leaves t unchanged (the engine always passes 1).
void normal_polar(Generator& g, int n, double mean, double sd, double& t);
void lognormal_polar(Generator& g, int n, double mu, double sigma, double& t);

// The normal and lognormal draws (codes 3, 4 and 5) by the polar method.
void drawPolar(Generator& g, int code, double p1, double p2, double& t);

// A uniform above 0, for the logarithm of the exponential and Weibull draws.
inline double positiveUniform(Generator& g) {
    double u;
    do {
        u = aleat(g);
    } while (u == 0.0);
    return u;
}

// Failure time of element (j, i) by its distribution code; a code outside 1..5 leaves t.
inline void muestra(Generator& g, const SystemData& s, int j, int i, double& t) {
    const int code = s.distribution(j, i);
    const double p1 = s.parameter(1, j, i);
    const double p2 = s.parameter(2, j, i);
    switch (code) {
        case farvik::kExponential:
            t = -(1.0 / p1) * std::log(positiveUniform(g));
            break;
        case farvik::kWeibull:
            t = p2 * std::pow(-std::log(positiveUniform(g)), 1.0 / p1);
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

// Distribution 4 is given by the mean m and standard deviation d of T; the engine draws it
// as a lognormal of the normal's parameters. Converts both in place.
void convertLognormal(double& m, double& d);

}  // namespace brenta
