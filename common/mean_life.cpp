#include "mean_life.h"

#include <cmath>

#include "distributions.h"
#include "parameter_rules.h"

namespace farvik {

std::optional<double> meanLife(int code, double p1, double p2) {
    const Distribution* d = findDistribution(code);
    if (!d || !parameterFaults(code, p1, p2).empty()) return std::nullopt;
    const double mean = d->mean(p1, p2);
    if (!std::isfinite(mean)) return std::nullopt;
    return mean;
}

}  // namespace farvik
