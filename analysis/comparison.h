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
        // The simulated gain beside the exact one, its standard error from
        // gainStandardError.
        ComparedValue gain;
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

// The standard error of a duplication's simulated gain, vmd - vmedia, from what the summary
// gives: the mean life vmedia and its standard error ee, the duplicated mean life's standard
// error ee_d, the gain g and the trials n. Both means come from the same trials, so the
// summary lacks their covariance; but in every trial the duplicated system lives at least as
// long as the plain one (x_d >= x >= 0), so the mean of x x_d is at least that of x^2 and the
// sample variance of the gains x_d - x is at most Var(x_d) - Var(x) + 2 vmedia g, and never
// more than (sd(x_d) + sd(x))^2. With Var = ee^2 (n - 1), as the summary's standard errors
// are sd / sqrt(n - 1), the result is the smaller of
//     sqrt(ee_d^2 - ee^2 + 2 vmedia g / (n - 1))   and   ee_d + ee,
// an upper bound of the gain's standard error: a z from it errs on the small side.
double gainStandardError(double meanLife, double meanLifeError, double duplicatedError, double gain,
                         long trials);

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
