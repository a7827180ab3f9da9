#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "element_law.h"
#include "half_line_integral.h"
#include "structure_function.h"
#include "system_model.h"

namespace farvik::analysis {

// The mean life of the system with one element duplicated (two of it in parallel, as the
// redundancy study pairs an element with its duplicate) and its gain over the plain system.
struct Duplication {
    int element = 0;  // index into the model's elements
    Estimate meanLife;
    Estimate gain;
};

// Called after each duplication with how many are done and how many there are; returning
// false stops the computation.
using DuplicationProgress = std::function<bool(int done, int total)>;

// Exact reliability of a system of independent elements: R(t) = P(T >= t) from the
// structure function and the elements' survival functions, the hazard, the mean life as the
// integral of R over [0, inf), and the mean life with each element duplicated.
class ExactSystem {
  public:
    // Throws TooLargeError for a general system whose decision diagram would not fit.
    // `state` gives each element's survival (a test may inject a wrong one).
    explicit ExactSystem(SystemModel model, StateFunction state = elementState,
                         const DiagramLimits& limits = {});

    const SystemModel& model() const { return model_; }
    // The same system with element `element`'s law replaced: the structure function is
    // shared, not built again, so that a change of law costs no new decision diagram.
    ExactSystem withLaw(std::size_t element, const ElementLaw& law) const;
    const StructureFunction& structure() const { return *structure_; }
    // Each element's survival, failure and density at t, as the system computes with them.
    void elementStates(double t, std::vector<double>& p, std::vector<double>& q,
                       std::vector<double>* density = nullptr) const {
        statesAt(t, p, q, density);
    }

    double reliability(double t) const;
    // R at each of the times, in one pass through the structure function.
    std::vector<double> reliabilities(const std::vector<double>& times) const;
    // -R'(t) / R(t); not a number where R is 0 or an element's time has an atom.
    double hazard(double t) const;
    Estimate meanLife() const;

    // Every element duplicated in turn, in the model's order (that of the engine's
    // redundancy report); nothing when `progress` stops it. The gain is integrated on its
    // own, so that a small gain keeps its digits.
    std::optional<std::vector<Duplication>> duplications(
        const DuplicationProgress& progress = {}) const;

    // Times where some element's survival bends or jumps: the quadrature cuts its range there.
    const std::vector<double>& breakpoints() const { return breakpoints_; }

  private:
    void statesAt(double t, std::vector<double>& p, std::vector<double>& q,
                  std::vector<double>* density) const;

    SystemModel model_;
    StateFunction state_;
    std::shared_ptr<const StructureFunction> structure_;
    std::vector<double> breakpoints_;
    bool hasAtom_ = false;
};

// The index, among the duplications, of the largest gain (the first of equal ones).
std::size_t bestDuplication(const std::vector<Duplication>& list);

}  // namespace farvik::analysis
