#include "muestra.h"

#include <cmath>

#include "parameter_rules.h"

namespace brenta {
namespace {

// One standard normal deviate: each attempt takes two uniforms; the second deviate is
// thrown away. s = 0 would make f undefined, so it is drawn again like s > 1.
double polarDeviate(Generator& g) {
    for (;;) {
        const double u1 = aleat(g);
        const double u2 = aleat(g);
        const double x1 = 2.0 * u1 - 1.0;
        const double x2 = 2.0 * u2 - 1.0;
        const double s = x1 * x1 + x2 * x2;
        if (s > 1.0 || s == 0.0) continue;
        const double f = std::sqrt(-(2.0 * std::log(s)) / s);
        return x1 * f;
    }
}

}  // namespace

void normal_polar(Generator& g, int n, double mean, double sd, double& t) {
    for (int k = 0; k < n; ++k) t = polarDeviate(g) * sd + mean;
}

void lognormal_polar(Generator& g, int n, double mu, double sigma, double& t) {
    for (int k = 0; k < n; ++k) t = std::exp(mu + sigma * polarDeviate(g));
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

void convertLognormal(double& m, double& d) {
    double mu = 0;
    double sigma = 0;
    farvik::lognormalFromMoments(m, d, mu, sigma);
    m = mu;
    d = sigma;
}

}  // namespace brenta
