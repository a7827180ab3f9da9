#pragma once

#include <memory>
#include <stdexcept>

#include "system_model.h"

namespace farvik::analysis {

// The probability that the system works, given for each element k the probability p[k]
// that it works and q[k] = 1 - p[k] that it has failed (given apart so that neither loses
// digits near 0). The elements are independent, so the result is linear in each p[k].
class StructureFunction {
  public:
    virtual ~StructureFunction() = default;
    virtual double reliability(const double* p, const double* q) const = 0;
    // The same, and into d[k] the derivative by p[k]: how much the system gains while
    // element k works rather than not (its Birnbaum importance).
    virtual double reliabilityAndPartials(const double* p, const double* q, double* d) const = 0;
    // 1 - reliability, computed on its own so that it keeps its digits where the system
    // almost never fails (and is exactly 0 where it cannot).
    virtual double unreliability(const double* p, const double* q) const = 0;
};

// A system whose decision diagram would outgrow the memory set aside for it.
class TooLargeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The structure function of a model: products over the rows for classes 3 and 4, a
// decision diagram of the paths for class 5 (which may throw TooLargeError).
std::unique_ptr<StructureFunction> structureFunction(const SystemModel& model);

}  // namespace farvik::analysis
