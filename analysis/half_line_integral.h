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
    // The integrand never rises (a reliability): where it falls little over a piece, its
    // values at the ends bound the piece's integral, with no rule needed (see below).
    bool nonIncreasing = false;
};

// An integrand that takes many times at once: `values` gets f at each of `times`.
using BatchIntegrand =
    std::function<void(const std::vector<double>& times, std::vector<double>& values)>;

// The integral of f over [0, inf), globally adaptive: the range is first cut at the
// breakpoints (where f may bend sharply or jump), the part beyond the last one mapped onto
// [0, 1); the pieces with the largest errors are halved until the error bound of the sum
// meets the limits. Each piece is estimated by the 21-point Gauss-Kronrod rule (Boost.Math's
// nodes and weights), the difference from the embedded 10-point Gauss rule, times the
// piece's half-width, bounding its error.
//
// With `nonIncreasing`, f is first taken at the cuts: on a piece [a, b] the integral lies
// between f(b) (b - a) and f(a) (b - a), so the middle of the two is within half their
// difference. Pieces whose such bound is small (together at most a quarter of the error
// allowed, judged against the lower bound of the whole) take it and need no rule: flat
// pieces near t = 0 and the far tail, where the system has all but surely failed.
Estimate integrateHalfLine(const BatchIntegrand& f, const std::vector<double>& breakpoints,
                           const IntegrationLimits& limits = {});

// The same for an integrand taken one time at a time.
Estimate integrateHalfLine(const std::function<double(double)>& f,
                           const std::vector<double>& breakpoints,
                           const IntegrationLimits& limits = {});

}  // namespace farvik::analysis
