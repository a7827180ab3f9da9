#pragma once

#include <optional>
#include <vector>

#include "exact_system.h"
#include "importance.h"

namespace farvik::analysis {

// How a result moves with one parameter of one element (numbered as the data file gives
// them: see law_parameters.h): its derivative, with the bound of its quadrature error for
// the mean life, and its elasticity, the relative change of the result per relative change
// of the parameter (value / result * derivative; x / 0 as in ratio()).
struct Sensitivity {
    int element = 0;    // index into the model's elements
    int parameter = 1;  // 1 or 2
    double value = 0;   // the parameter as given
    double derivative = 0;
    double error = 0;
    double elasticity = 0;
};

// d(mean life) / d(parameter) for every element and parameter, in the model's order: the
// integral over t of dR/dp_k(t) dS_k(t)/d(parameter), differentiated under the integral
// sign and integrated as the mean life is. Nothing when `progress` stops it.
std::optional<std::vector<Sensitivity>> meanLifeSensitivities(const ExactSystem& system,
                                                              const ElementProgress& progress = {});

// dR(t) / d(parameter) for every element and parameter at time t.
std::vector<Sensitivity> reliabilitySensitivities(const ExactSystem& system, double t);

}  // namespace farvik::analysis
