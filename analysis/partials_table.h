#pragma once

#include <unordered_map>
#include <vector>

#include "exact_system.h"

namespace farvik::analysis {

// The elements' states and the system's derivatives dR/dp_k at each time asked, kept: the
// quadratures of all elements meet at many of the same times, and each time is worked out
// once for all of them.
class PartialsTable {
  public:
    struct Row {
        const double* partials;  // dR/dp_k
        const double* survival;
        const double* failure;
        const double* density;
        double reliability;
    };

    explicit PartialsTable(const ExactSystem& system) : system_(system) {}

    // Valid until the next call.
    Row row(double t);

  private:
    const ExactSystem& system_;
    std::unordered_map<double, std::size_t> rowOf_;
    std::vector<double> values_;  // 4 n values a row
    std::vector<double> reliability_;
    std::vector<double> p_, q_, f_, d_;
};

}  // namespace farvik::analysis
