#pragma once

#include <QPointF>
#include <atomic>
#include <optional>
#include <vector>

#include "exact_system.h"
#include "reliability_curves.h"

namespace farvik {

// The exact counterparts of the simulated reliability and failure-rate curves, drawn over
// them: R(t) of the system, and its hazard f(t) / R(t), where f = -dR/dt is the sum over the
// elements of dR/dp_k (from the structure function) times the element's density.
struct ExactCurves {
    std::vector<QPointF> reliability;
    std::vector<QPointF> hazard;  // y not a number where the hazard is undefined (R = 0, an atom)
};

// Steps of the exact curves over the table's time range.
constexpr int kExactCurveSteps = 1000;

// The times the exact curves are worked out at: from 0 to the table's last bound in
// kExactCurveSteps equal steps, and the times of the table's own points, each once, in order.
std::vector<double> exactCurveTimes(const ReliabilityCurves& table);

// The exact curves at the given times; nothing when `stop` is set before they are done.
std::optional<ExactCurves> exactCurves(const analysis::ExactSystem& exact,
                                       const std::vector<double>& times,
                                       const std::atomic<bool>& stop);

}  // namespace farvik
