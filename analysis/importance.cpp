#include "importance.h"

#include <limits>

#include "partials_table.h"

namespace farvik::analysis {

double ratio(double x, double y) {
    if (y != 0) return x / y;
    return x > 0 ? std::numeric_limits<double>::infinity()
                 : std::numeric_limits<double>::quiet_NaN();
}

std::vector<Importance> importanceAt(const ExactSystem& system, double t) {
    const StructureFunction& structure = system.structure();
    const std::size_t n = system.model().elements.size();
    std::vector<double> p, q, d(n);
    system.elementStates(t, p, q);
    structure.reliabilityAndPartials(p.data(), q.data(), d.data());
    const double failure = structure.unreliability(p.data(), q.data());

    std::vector<Importance> list(n);
    for (std::size_t k = 0; k < n; ++k) {
        // R is linear in p: R1 - R = q IB and 1 - R0 = F + p IB, sums with nothing to
        // cancel. 1 - R1 may be a small difference, or exactly 0 where the element's repair
        // leaves nothing that can fail: it is computed with the element made perfect.
        const double saved = p[k], lost = q[k];
        p[k] = 1;
        q[k] = 0;
        const double failureIfPerfect = structure.unreliability(p.data(), q.data());
        p[k] = saved;
        q[k] = lost;

        Importance& m = list[k];
        m.birnbaum = d[k];
        m.criticality = ratio(d[k] * lost, failure);
        m.fussellVesely = m.criticality;
        m.achievementWorth = ratio(failure + saved * d[k], failure);
        m.reductionWorth = ratio(failure, failureIfPerfect);
    }
    return list;
}

std::optional<std::vector<Estimate>> failureCauses(const ExactSystem& system,
                                                   const ElementProgress& progress) {
    const int n = static_cast<int>(system.model().elements.size());
    PartialsTable table(system);
    std::vector<Estimate> causes;
    for (int k = 0; k < n; ++k) {
        const ElementLaw& law = system.model().elements[k].law;
        double at = 0;
        if (atom(law, at)) {
            // The whole failure falls at one time: the importance there, with the other
            // elements as they stand at that time.
            causes.push_back({table.row(at).partials[k], 0});
        } else {
            causes.push_back(integrateHalfLine(
                [&](double t) {
                    const PartialsTable::Row& row = table.row(t);
                    return row.partials[k] * row.density[k];
                },
                system.breakpoints(), IntegrationLimits{1e-13, 1e-15, 4000}));
        }
        if (progress && !progress(k + 1, n)) return std::nullopt;
    }
    return causes;
}

}  // namespace farvik::analysis
