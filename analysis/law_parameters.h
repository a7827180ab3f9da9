#pragma once

#include "element_law.h"

namespace farvik::analysis {

// The parameters of an element's law as its data file gives them, numbered 1 and 2: the
// exponential's rate (it has no second one), the Weibull's shape and scale, the mean and
// deviation of ln T (code 3), of T itself (code 4; the law holds them converted), and of
// the normal before its truncation at 0. Their count is the distribution table's (0 for an
// unknown code).
int parameterCount(int code);
double givenParameter(const ElementLaw& law, int k);

// d P(T >= t) / d(parameter k) for a law without an atom, by its closed form.
double survivalDerivative(const ElementLaw& law, int k, double t);

// For a law whose time is always the same: how fast that time (the element's whole life)
// moves with parameter k. A Weibull of scale 0 counts the life its scale would give.
double atomShift(const ElementLaw& law, int k);

}  // namespace farvik::analysis
