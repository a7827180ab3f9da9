#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "exact_system.h"
#include "half_line_integral.h"

namespace farvik::analysis {

// How much one element matters to the system at one time t, with p its survival, R the
// system's reliability, F = 1 - R, and R1, R0 the reliability with the element made perfect
// or failed:
//   birnbaum          IB  = R1 - R0 (dR/dp)
//   criticality       IC  = IB (1 - p) / F (the share of F that repairing it would take away)
//   fussellVesely     FV  = (R1 - R) / F
//   achievementWorth  RAW = (1 - R0) / F (how much F grows with the element failed)
//   reductionWorth    RRW = F / (1 - R1) (how much F shrinks with it perfect)
// A ratio x / 0 is +inf for x > 0 and NaN for x = 0 (see ratio()).
struct Importance {
    double birnbaum = 0;
    double criticality = 0;
    double fussellVesely = 0;
    double achievementWorth = 0;
    double reductionWorth = 0;
};

// The measures of every element of the model, in its order, at time t.
std::vector<Importance> importanceAt(const ExactSystem& system, double t);

// x / y where y >= 0: +inf for x > 0 = y, NaN (positive) for x = y = 0.
double ratio(double x, double y);

// Called with how many elements are done and how many there are; false stops the work.
using ElementProgress = std::function<bool(int done, int total)>;

// For each element, the probability that its failure is the one that fails the system: the
// integral over t of IB(t) dF_i(t), F_i the element's failure distribution. With continuous
// lives the shares add up to 1; a fixed life counts IB at that time, and elements sharing
// one fixed time share the blame as the quadrature leaves it (then the sum may pass 1).
// Nothing when `progress` stops it.
std::optional<std::vector<Estimate>> failureCauses(const ExactSystem& system,
                                                   const ElementProgress& progress = {});

}  // namespace farvik::analysis
