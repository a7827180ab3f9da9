#pragma once

#include <atomic>
#include <optional>
#include <vector>

#include "exact_system.h"

namespace farvik::analysis {

// What "¿Y si...?" shows of one system, the one as it stands or the one with an element's
// law changed: R(t) at the times asked, R along a curve's times, and the mean life.
struct ReliabilityPicture {
    std::vector<double> atTimes;
    std::vector<double> curve;
    Estimate meanLife;
};

// The picture of `exact`, the cheap parts first (a sweep of the structure function each),
// the mean life's quadrature last. Nothing when `stop` is set on the way: it is looked at
// before every pass of the structure function (a few dozen times at most), so that a
// question no longer wanted is dropped at once.
std::optional<ReliabilityPicture> reliabilityPicture(const ExactSystem& exact,
                                                     const std::vector<double>& times,
                                                     const std::vector<double>& curveTimes,
                                                     const std::atomic<bool>& stop);

// R at each of the times, in passes of a few dozen through the structure function; nothing
// when `stop` is set on the way.
std::optional<std::vector<double>> reliabilitiesAt(const ExactSystem& exact,
                                                   const std::vector<double>& times,
                                                   const std::atomic<bool>& stop);

// The times of the comparison curve: `steps` equal steps from 0 to `end`.
std::vector<double> curveTimesTo(double end, int steps = 200);

}  // namespace farvik::analysis
