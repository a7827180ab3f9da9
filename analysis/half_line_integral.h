#pragma once

#include <functional>
#include <vector>

namespace farvik::analysis {

// A value and a bound of its error.
struct Estimate {
    double value = 0;
    double error = 0;
};

struct IntegrationLimits {
    double relative = 1e-13;  // stop when the error bound is below this part of the value...
    double absolute = 0;      // ...or below this
    int maxPieces = 4000;     // and never split the range into more pieces
};

// The integral of f over [0, inf), globally adaptive: the range is first cut at the
// breakpoints (where f may bend sharply or jump), the part beyond the last one mapped onto
// [0, 1); the piece with the largest error is halved until the error bound of the sum meets
// the limits. Each piece is estimated by Boost.Math's 21-point Gauss-Kronrod rule, whose
// difference from the embedded Gauss rule bounds its error.
Estimate integrateHalfLine(const std::function<double(double)>& f,
                           const std::vector<double>& breakpoints,
                           const IntegrationLimits& limits = {});

}  // namespace farvik::analysis
