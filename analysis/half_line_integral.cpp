#include "half_line_integral.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>

#include <boost/math/quadrature/gauss_kronrod.hpp>

namespace farvik::analysis {
namespace {

using Rule = boost::math::quadrature::gauss_kronrod<double, 21>;

struct Piece {
    double a;
    double b;
    double value;
    double error;
    bool operator<(const Piece& other) const { return error < other.error; }
};

}  // namespace

Estimate integrateHalfLine(const std::function<double(double)>& f,
                           const std::vector<double>& breakpoints,
                           const IntegrationLimits& limits) {
    std::vector<double> cuts{0.0};
    for (double t : breakpoints) {
        if (std::isfinite(t) && t > 0) cuts.push_back(t);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

    // Beyond the last cut c: t = c + s u / (1 - u) for u in [0, 1), s the scale of the
    // range so far.
    const double last = cuts.back();
    const double scale = last > 0 ? last : 1.0;
    auto tail = [&](double u) {
        if (u >= 1) return 0.0;
        const double w = 1 - u;
        return f(last + scale * u / w) * scale / (w * w);
    };

    // Pieces of the finite range are on the t axis, the tail's on the u axis.
    double value = 0, error = 0;
    auto estimate = [&](double a, double b, bool inTail) {
        double e = 0;
        const double v =
            inTail ? Rule::integrate(tail, a, b, 0, 0, &e) : Rule::integrate(f, a, b, 0, 0, &e);
        // The rules' difference says nothing of rounding: a piece is never trusted beyond
        // 50 units in the last place of its value.
        constexpr double kRounding = 50 * std::numeric_limits<double>::epsilon();
        return Piece{a, b, v, std::max(e, kRounding * std::fabs(v))};
    };
    struct Entry {
        Piece piece;
        bool inTail;
        bool operator<(const Entry& other) const { return piece < other.piece; }
    };
    std::priority_queue<Entry> queue;
    auto push = [&](double a, double b, bool inTail) {
        const Piece p = estimate(a, b, inTail);
        value += p.value;
        error += p.error;
        queue.push({p, inTail});
    };
    for (std::size_t n = 0; n + 1 < cuts.size(); ++n) push(cuts[n], cuts[n + 1], false);
    push(0.0, 1.0, true);

    int count = static_cast<int>(queue.size());
    while (count < limits.maxPieces) {
        if (error <= std::max(limits.relative * std::fabs(value), limits.absolute)) break;
        const Entry worst = queue.top();
        const double mid = 0.5 * (worst.piece.a + worst.piece.b);
        if (!(mid > worst.piece.a && mid < worst.piece.b)) break;  // no room left to halve
        queue.pop();
        value -= worst.piece.value;
        error -= worst.piece.error;
        push(worst.piece.a, mid, worst.inTail);
        push(mid, worst.piece.b, worst.inTail);
        ++count;
    }
    // The running sums lose digits as pieces come and go: add up what is left afresh.
    value = 0;
    error = 0;
    while (!queue.empty()) {
        value += queue.top().piece.value;
        error += queue.top().piece.error;
        queue.pop();
    }
    return {value, error};
}

}  // namespace farvik::analysis
