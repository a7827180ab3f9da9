#include "comparison.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace farvik::analysis {

ComparedValue compareValue(double simulated, double exact, double standardError) {
    ComparedValue v{simulated, exact, standardError, 0, false};
    const double difference = simulated - exact;
    if (standardError > 0) {
        v.z = difference / standardError;
    } else if (difference != 0) {
        v.z = std::copysign(std::numeric_limits<double>::infinity(), difference);
    }
    v.marked = !(std::fabs(v.z) <= kMarkedBeyond);
    return v;
}

double gainStandardError(double meanLife, double meanLifeError, double duplicatedError, double gain,
                         long trials) {
    const double sum = duplicatedError + meanLifeError;
    if (trials < 2) return sum;
    const double bound = duplicatedError * duplicatedError - meanLifeError * meanLifeError +
                         2 * meanLife * std::max(gain, 0.0) / double(trials - 1);
    return std::min(std::sqrt(std::max(bound, 0.0)), sum);
}

int Comparison::markedCount() const {
    int n = meanLife.marked ? 1 : 0;
    for (const Reliability& r : reliability) n += r.value.marked;
    for (const Duplication& d : duplications) n += d.meanLife.marked;
    return n;
}

std::optional<Comparison> compare(const SimulatedSummary& summary, const ExactSystem& exact,
                                  const DuplicationProgress& progress) {
    Comparison c;
    c.trials = summary.trials;
    for (const SimulatedSummary::Reliability& r : summary.reliability) {
        const double e = exact.reliability(r.t);
        const double se = std::sqrt(std::max(0.0, e * (1 - e)) / summary.trials);
        c.reliability.push_back({r.t, compareValue(r.value, e, se)});
    }
    c.exactMeanLife = exact.meanLife();
    c.meanLife = compareValue(summary.meanLife, c.exactMeanLife.value, summary.standardError);
    if (summary.duplications.empty()) return c;

    const auto& elements = exact.model().elements;
    if (summary.duplications.size() != elements.size()) {
        throw ComparisonError("el resumen no duplica los elementos de este sistema");
    }
    for (std::size_t k = 0; k < elements.size(); ++k) {
        if (summary.duplications[k].label != elements[k].label) {
            throw ComparisonError("el resumen no duplica los elementos de este sistema");
        }
    }
    const auto list = exact.duplications(progress);
    if (!list) return std::nullopt;

    // Equal gains (elements alike in law and place) are all best: any of them may be named.
    const Duplication& top = (*list)[bestDuplication(*list)];
    for (std::size_t k = 0; k < list->size(); ++k) {
        const SimulatedSummary::Duplication& s = summary.duplications[k];
        const Duplication& d = (*list)[k];
        Comparison::Duplication row;
        row.label = s.label;
        row.meanLife = compareValue(s.meanLife, d.meanLife.value, s.standardError);
        row.exactMeanLife = d.meanLife;
        row.simulatedGain = s.gain;
        row.exactGain = d.gain.value;
        row.gain = compareValue(s.gain, d.gain.value,
                                gainStandardError(summary.meanLife, summary.standardError,
                                                  s.standardError, s.gain, summary.trials));
        row.simulatedBest =
            std::find(summary.best.begin(), summary.best.end(), s.label) != summary.best.end();
        const double tolerance = d.gain.error + top.gain.error + 1e-12 * c.exactMeanLife.value;
        row.exactBest = d.gain.value >= top.gain.value - tolerance;
        c.duplications.push_back(row);
    }
    c.bestAgrees = std::any_of(c.duplications.begin(), c.duplications.end(),
                               [](const auto& d) { return d.simulatedBest && d.exactBest; });
    return c;
}

}  // namespace farvik::analysis
