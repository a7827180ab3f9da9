#include "muestra.h"

#include <cmath>

namespace brenta {
namespace {

// The accepted attempt of one standard normal deviate (x1 and s; polarValue gives the
// deviate): each attempt takes two uniforms; the second deviate is thrown away. s = 0
// would leave the deviate undefined, so it is drawn again like s > 1.
double polarDeviate(Generator& g, double& s) {
    for (;;) {
        const double u1 = aleat(g);
        const double u2 = aleat(g);
        double x1 = 0;
        if (polarAttempt(u1, u2, x1, s)) return x1;
    }
}

}  // namespace

void normal_polar(Generator& g, int n, double mean, double sd, double& t) {
    for (int k = 0; k < n; ++k) {
        double s = 0;
        const double x1 = polarDeviate(g, s);
        t = normalTime(x1, s, mean, sd);
    }
}

void lognormal_polar(Generator& g, int n, double mu, double sigma, double& t) {
    for (int k = 0; k < n; ++k) {
        double s = 0;
        const double x1 = polarDeviate(g, s);
        t = lognormalTime(x1, s, mu, sigma);
    }
}

void drawPolar(Generator& g, int code, double p1, double p2, double& t) {
    if (code == farvik::kNormal) {
        do {
            normal_polar(g, 1, p1, p2, t);
        } while (t < 0.0);
    } else {
        lognormal_polar(g, 1, p1, p2, t);
    }
}

}  // namespace brenta
