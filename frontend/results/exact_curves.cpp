#include "exact_curves.h"

#include <algorithm>

namespace farvik {

std::vector<double> exactCurveTimes(const ReliabilityCurves& table) {
    const Curve& reliability = table.curves[kReliabilityGraph];
    double until = 0;
    for (const QPointF& p : reliability.points) until = std::max(until, p.x());
    std::vector<double> times;
    for (int i = 0; i <= kExactCurveSteps; ++i) times.push_back(until * i / kExactCurveSteps);
    for (const QPointF& p : reliability.points) times.push_back(p.x());
    for (const QPointF& p : table.curves[kFailureRateGraph].points) times.push_back(p.x());
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    return times;
}

std::optional<ExactCurves> exactCurves(const analysis::ExactSystem& exact,
                                       const std::vector<double>& times,
                                       const std::atomic<bool>& stop) {
    ExactCurves curves;
    curves.reliability.reserve(times.size());
    curves.hazard.reserve(times.size());
    for (double t : times) {
        if (stop.load()) return std::nullopt;
        curves.reliability.emplace_back(t, exact.reliability(t));
        curves.hazard.emplace_back(t, exact.hazard(t));
    }
    return curves;
}

}  // namespace farvik
