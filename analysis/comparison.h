#pragma once

#include <optional>
#include <string>
#include <vector>

#include "exact_system.h"
#include "simulated_summary.h"

namespace farvik::analysis {

// Simulated values further than this many standard errors from the exact ones are marked.
constexpr double kMarkedBeyond = 4.0;

// One simulated value beside the exact one: z = (simulated - exact) / standard error.
struct ComparedValue {
    double simulated = 0;
    double exact = 0;
    double standardError = 0;
    double z = 0;
    bool marked = false;  // |z| beyond kMarkedBeyond (or no z at all)
};

// z for a simulated value with its standard error. A standard error of 0 gives z 0 when
// the two agree exactly and an infinite z otherwise.
ComparedValue compareValue(double simulated, double exact, double standardError);

struct Comparison {
    struct Reliability {
        double t = 0;
        ComparedValue value;  // standard error sqrt(R (1 - R) / trials) of the exact R
    };
    struct Duplication {
        std::string label;
        ComparedValue meanLife;  // standard error from the summary
        Estimate exactMeanLife;
        double simulatedGain = 0;
        double exactGain = 0;
        bool simulatedBest = false;  // named best by the summary
        bool exactBest = false;      // largest exact gain (or equal to it within its errors)
    };
    long trials = 0;
    std::vector<Reliability> reliability;
    ComparedValue meanLife;
    Estimate exactMeanLife;
    std::vector<Duplication> duplications;
    // With the redundancy study: whether a duplication the summary names best is an
    // exact best.
    bool bestAgrees = true;

    int markedCount() const;
};

class ComparisonError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Compares a summary with the exact values of the system. The duplications are worked out
// only when the summary has them; `progress` may stop that (then nothing is returned).
// Throws ComparisonError when the summary's duplications are not the system's elements.
std::optional<Comparison> compare(const SimulatedSummary& summary, const ExactSystem& exact,
                                  const DuplicationProgress& progress = {});

}  // namespace farvik::analysis
