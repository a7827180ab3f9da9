#pragma once

#include <QString>
#include <atomic>
#include <optional>
#include <vector>

#include "exact_check_table.h"
#include "importance.h"
#include "reliability_bounds.h"
#include "sensitivity.h"

namespace farvik {

// Everything the window "Importancia y sensibilidad" shows of one system, worked out apart
// from the user interface: per element its exact cause share (beside the simulated one when
// the run's summary is at hand), the mean life's sensitivities, and at each time the
// importance measures and R's sensitivities; the Birnbaum curves of the five elements of
// greatest importance over the times' range.
struct ImportanceReport {
    std::vector<QString> labels;  // the elements, in the model's order
    std::vector<analysis::ElementLaw> laws;
    double meanLife = 0;
    std::vector<double> causes;
    std::vector<long> simulatedCauses;  // empty without a summary
    long trials = 0;
    std::vector<analysis::Sensitivity> meanLifeSensitivities;

    struct AtTime {
        double t = 0;
        double reliability = 0;
        std::vector<analysis::Importance> measures;
        std::vector<analysis::Sensitivity> sensitivities;
    };
    std::vector<AtTime> times;

    std::vector<double> curveTimes;
    struct Curve {
        int element = 0;
        std::vector<double> birnbaum;  // at curveTimes
    };
    std::vector<Curve> curves;  // most important first

    QString failure;  // the system could not be worked out (then only `bounds` may be set)
    std::vector<std::pair<double, analysis::ReliabilityBounds>> bounds;
};

// The whole report for the run's times, or for the mean life (to three digits) without
// them; the curves span 0 to the largest time, or to twice the mean life. Nothing when `cancel` is set on the way.
std::optional<ImportanceReport> computeImportanceReport(const analysis::SystemModel& model,
                                                        const std::vector<double>& times,
                                                        const std::optional<std::string>& summary,
                                                        const std::atomic<bool>& cancel);

// One more time, for a report already made of the same system.
ImportanceReport::AtTime importanceAtTime(const analysis::ExactSystem& exact, double t);

// The tables as the window shows, prints and exports them, at time index `at`.
// Importance: one row per element, IB, IC, FV, RAW, RRW, the exact cause and, with a
// summary, the simulated share and z (rows beyond 4 standard errors marked).
ExactCheckTable importanceTable(const ImportanceReport& report, std::size_t at);
// Sensitivities: one row per element and parameter, ranked by the size of the mean life's
// elasticity; with a time, R's derivative and elasticity there.
ExactCheckTable sensitivityTable(const ImportanceReport& report, std::optional<std::size_t> at);

// The name of parameter k of a law as the editor labels it.
QString parameterName(int code, int k);

}  // namespace farvik
