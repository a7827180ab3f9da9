#include "half_line_integral.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include <boost/math/quadrature/gauss.hpp>
#include <boost/math/quadrature/gauss_kronrod.hpp>

namespace farvik::analysis {
namespace {

using Kronrod = boost::math::quadrature::gauss_kronrod<double, 21>;
using Gauss = boost::math::quadrature::gauss<double, 10>;
constexpr int kNodes = 21;

// The rule's nodes on [-1, 1]: the middle, then +x and -x for each positive abscissa.
std::vector<double> unitNodes() {
    std::vector<double> x{0.0};
    for (std::size_t i = 1; i < Kronrod::abscissa().size(); ++i) {
        x.push_back(Kronrod::abscissa()[i]);
        x.push_back(-Kronrod::abscissa()[i]);
    }
    return x;
}

// A piece of the range: on the t axis, or in the tail on the u axis (see below).
struct Piece {
    double a = 0;
    double b = 0;
    bool inTail = false;
    bool byRule = true;  // false: the monotone bound settled it
    double value = 0;
    double error = 0;
};

// Beyond the last cut c: t = c + s u / (1 - u) for u in [0, 1), s the scale of the range so
// far, and dt = s / (1 - u)^2 du.
struct Tail {
    double last;
    double scale;
    double time(double u) const { return last + scale * u / (1 - u); }
    double jacobian(double u) const { return scale / ((1 - u) * (1 - u)); }
};

// The rule's sums from the integrand's values at the nodes of unitNodes().
void applyRule(Piece& piece, const double* f) {
    const auto& wk = Kronrod::weights();
    const auto& wg = Gauss::weights();
    double kronrod = f[0] * wk[0];
    double gauss = 0;
    for (std::size_t i = 1; i < Kronrod::abscissa().size(); ++i) {
        const double pair = f[2 * i - 1] + f[2 * i];
        kronrod += pair * wk[i];
        // The 10-point Gauss rule uses every other abscissa, starting at the first.
        if (i % 2 == 1) gauss += pair * wg[i / 2];
    }
    const double half = 0.5 * (piece.b - piece.a);
    piece.value = half * kronrod;
    // The rules' difference says nothing of rounding: a piece is never trusted beyond 50
    // units in the last place of its value.
    constexpr double kRounding = 50 * std::numeric_limits<double>::epsilon();
    piece.error = std::max(half * std::fabs(kronrod - gauss), kRounding * std::fabs(piece.value));
    piece.byRule = true;
}

// Estimates the pieces by the rule, with one call of f for all of their nodes.
void estimate(std::vector<Piece>& pieces, const BatchIntegrand& f, const Tail& tail) {
    static const std::vector<double> x = unitNodes();
    std::vector<double> times, values, weight;
    times.reserve(pieces.size() * kNodes);
    weight.reserve(pieces.size() * kNodes);
    for (const Piece& p : pieces) {
        const double mid = 0.5 * (p.a + p.b), half = 0.5 * (p.b - p.a);
        for (double xi : x) {
            const double s = mid + half * xi;
            if (!p.inTail) {
                times.push_back(s);
                weight.push_back(1.0);
            } else if (s < 1) {
                times.push_back(tail.time(s));
                weight.push_back(tail.jacobian(s));
            } else {  // a piece halved down to rounding at u = 1, where t is infinite
                times.push_back(tail.last);
                weight.push_back(0.0);
            }
        }
    }
    f(times, values);
    for (std::size_t n = 0; n < values.size(); ++n) values[n] *= weight[n];
    for (std::size_t k = 0; k < pieces.size(); ++k) applyRule(pieces[k], &values[k * kNodes]);
}

// The monotone bounds of the pieces between cuts; those that together stay within a quarter
// of the error allowed are settled. Returns the pieces that still need the rule.
std::vector<Piece> settleFlatPieces(const std::vector<double>& cuts, const BatchIntegrand& f,
                                    const IntegrationLimits& limits, std::vector<Piece>& settled) {
    std::vector<double> values;
    f(cuts, values);
    std::vector<Piece> open;
    std::vector<Piece> bounded;
    double lower = 0;
    for (std::size_t n = 0; n + 1 < cuts.size(); ++n) {
        Piece p{cuts[n], cuts[n + 1]};
        const double width = p.b - p.a, high = values[n] * width, low = values[n + 1] * width;
        lower += std::max(low, 0.0);
        if (!(high >= low && low >= 0 && std::isfinite(high))) {
            open.push_back(p);  // not as a non-increasing f would be: no bound
            continue;
        }
        p.byRule = false;
        p.value = 0.5 * (high + low);
        p.error = 0.5 * (high - low);
        bounded.push_back(p);
    }
    std::sort(bounded.begin(), bounded.end(),
              [](const Piece& x, const Piece& y) { return x.error < y.error; });
    const double budget = 0.25 * std::max(limits.relative * lower, limits.absolute);
    double spent = 0;
    for (Piece& p : bounded) {
        if (spent + p.error <= budget) {
            spent += p.error;
            settled.push_back(p);
        } else {
            p.byRule = true;
            open.push_back(p);
        }
    }
    return open;
}

}  // namespace

Estimate integrateHalfLine(const BatchIntegrand& f, const std::vector<double>& breakpoints,
                           const IntegrationLimits& limits) {
    std::vector<double> cuts{0.0};
    for (double t : breakpoints) {
        if (std::isfinite(t) && t > 0) cuts.push_back(t);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    const double last = cuts.back();
    const Tail tail{last, last > 0 ? last : 1.0};

    std::vector<Piece> pieces;  // estimated
    std::vector<Piece> next;    // to be estimated by the rule
    if (limits.nonIncreasing) {
        next = settleFlatPieces(cuts, f, limits, pieces);
    } else {
        for (std::size_t n = 0; n + 1 < cuts.size(); ++n) next.push_back({cuts[n], cuts[n + 1]});
    }
    next.push_back({0.0, 1.0, true});

    auto sum = [&](double Piece::*field) {
        double s = 0;
        for (const Piece& p : pieces) s += p.*field;
        return s;
    };
    // Each round estimates the new pieces at once, then halves the worst ones: as many as it
    // takes for the rest to be within half of what is allowed.
    while (true) {
        estimate(next, f, tail);
        pieces.insert(pieces.end(), next.begin(), next.end());
        next.clear();
        const double error = sum(&Piece::error);
        const double allowed =
            std::max(limits.relative * std::fabs(sum(&Piece::value)), limits.absolute);
        if (error <= allowed) break;
        std::vector<std::size_t> order(pieces.size());
        std::iota(order.begin(), order.end(), 0);
        // A piece whose error is not a number (nor is then the sum) comes first.
        auto key = [&](std::size_t k) {
            const double e = pieces[k].error;
            return std::isnan(e) ? std::numeric_limits<double>::infinity() : e;
        };
        std::sort(order.begin(), order.end(),
                  [&](std::size_t x, std::size_t y) { return key(x) > key(y); });
        std::vector<bool> halved(pieces.size(), false);
        double left = error;
        for (std::size_t k : order) {
            if (left <= 0.5 * allowed) break;
            if (static_cast<int>(pieces.size() + next.size() / 2) >= limits.maxPieces) break;
            const Piece& p = pieces[k];
            const double mid = 0.5 * (p.a + p.b);
            if (!(mid > p.a && mid < p.b)) continue;  // no room left to halve
            next.push_back({p.a, mid, p.inTail});
            next.push_back({mid, p.b, p.inTail});
            halved[k] = true;
            left -= p.error;
        }
        if (next.empty()) break;
        std::vector<Piece> kept;
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            if (!halved[k]) kept.push_back(pieces[k]);
        }
        pieces.swap(kept);
    }
    // Added up in order along the axis, the tail last.
    std::sort(pieces.begin(), pieces.end(), [](const Piece& x, const Piece& y) {
        return x.inTail != y.inTail ? y.inTail : x.a < y.a;
    });
    return {sum(&Piece::value), sum(&Piece::error)};
}

Estimate integrateHalfLine(const std::function<double(double)>& f,
                           const std::vector<double>& breakpoints,
                           const IntegrationLimits& limits) {
    return integrateHalfLine(
        [&f](const std::vector<double>& times, std::vector<double>& values) {
            values.resize(times.size());
            for (std::size_t n = 0; n < times.size(); ++n) values[n] = f(times[n]);
        },
        breakpoints, limits);
}

}  // namespace farvik::analysis
