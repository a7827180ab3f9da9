#pragma once

#include <optional>

// The mean life of one element as the engine draws it.
namespace farvik {

// The mean of the time the engine draws for an element of distribution `code` (1..5) with
// the parameters p1, p2 as written in the file: 1/rate for the exponential; scale x
// Gamma(1 + 1/shape) for the Weibull (shape first, as the engine reads them); exp(mu +
// sigma^2/2) for the lognormal by the normal's parameters, and for the lognormal by its own
// mean and deviation after the engine's conversion; and for the normal the mean of the normal
// truncated at 0, since the engine draws again every negative time. Nothing for parameters
// the engine refuses, or a mean beyond a double.
std::optional<double> meanLife(int code, double p1, double p2);

}  // namespace farvik
