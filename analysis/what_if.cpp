#include "what_if.h"

namespace farvik::analysis {
namespace {

// Thrown from inside the quadrature's integrand to leave it when the answer is no longer
// wanted.
struct Stopped {};

}  // namespace

std::optional<ReliabilityPicture> reliabilityPicture(const ExactSystem& exact,
                                                     const std::vector<double>& times,
                                                     const std::vector<double>& curveTimes,
                                                     const std::atomic<bool>& stop) {
    auto r = [&](double t) {
        if (stop.load(std::memory_order_relaxed)) throw Stopped{};
        return exact.reliability(t);
    };
    ReliabilityPicture picture;
    try {
        for (double t : times) picture.atTimes.push_back(r(t));
        for (double t : curveTimes) picture.curve.push_back(r(t));
        picture.meanLife = integrateHalfLine(r, exact.breakpoints());
    } catch (const Stopped&) {
        return std::nullopt;
    }
    return picture;
}

std::vector<double> curveTimesTo(double end, int steps) {
    std::vector<double> times;
    for (int i = 0; i <= steps; ++i) times.push_back(end * i / steps);
    return times;
}

}  // namespace farvik::analysis
