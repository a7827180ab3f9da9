#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>

#include "system_model.h"
#include "variable_order.h"

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
    // The reliability for `lanes` sets of states of the `elements` elements at once (their
    // states at many times): element k's in lane j at p[k * lanes + j], q likewise, into
    // r[j]. The same values as reliability() lane by lane; a decision diagram takes all the
    // lanes through each of its nodes in turn, in one pass through its table.
    virtual void reliabilities(const double* p, const double* q, std::size_t elements,
                               std::size_t lanes, double* r) const;
};

// A system whose decision diagram would outgrow the memory set aside for it.
class TooLargeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What the decision diagram of a general system may cost while it is built: BuDDy nodes and
// processor time. The defaults are reached well within a second, so that a system out of
// reach is said to be so at once; a diagram near them is already slow to integrate.
struct DiagramLimits {
    int maxNodes = 1000000;
    double seconds = 0.6;
    VariableOrder order = VariableOrder::FinishPaths;
    bool sifting = false;  // BuDDy's dynamic reordering (sifting) while building
};

// The structure function of a model: products over the rows for classes 3 and 4, a
// decision diagram of the paths for class 5 (which may throw TooLargeError).
std::unique_ptr<StructureFunction> structureFunction(const SystemModel& model,
                                                     const DiagramLimits& limits = {});

}  // namespace farvik::analysis
