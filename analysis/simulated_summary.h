#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace farvik::analysis {

// What a simulation's summary file (resumen.TXT) says: the reliability at the times asked
// for, the mean life and its standard error and, with the redundancy study, each
// duplication's mean life, gain and standard error and the duplications named best.
struct SimulatedSummary {
    struct Reliability {
        double t = 0;
        double value = 0;
    };
    struct Duplication {
        std::string label;  // "i-j", or the key in a general system
        double meanLife = 0;
        double gain = 0;
        double standardError = 0;
    };
    struct Cause {
        std::string label;  // "i-j", or the key in a general system
        long count = 0;     // trials whose failure this element caused
    };
    long trials = 0;
    std::vector<Reliability> reliability;
    std::vector<Cause> causes;
    double meanLife = 0;
    double standardError = 0;
    std::vector<Duplication> duplications;
    std::vector<std::string> best;
};

class SummaryFormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads the summary from the bytes of the file (code page 1252: only its ASCII words are
// looked at). The free-form records wrap their values onto the next line, so the file is
// read as a stream of words. Throws SummaryFormatError when a value is missing.
SimulatedSummary readSimulatedSummary(const std::string& bytes);

}  // namespace farvik::analysis
