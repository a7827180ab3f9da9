#include "sensitivity.h"

#include <cmath>
#include <limits>

#include "law_parameters.h"
#include "partials_table.h"

namespace farvik::analysis {
namespace {

// x / y for a y that may be 0 or negative: x / 0 is +-inf, or NaN for x = 0.
double elasticityOf(double value, double result, double derivative) {
    const double x = value * derivative;
    if (result != 0) return x / result;
    if (x == 0) return std::numeric_limits<double>::quiet_NaN();
    return x > 0 ? std::numeric_limits<double>::infinity()
                 : -std::numeric_limits<double>::infinity();
}

}  // namespace

std::optional<std::vector<Sensitivity>> meanLifeSensitivities(const ExactSystem& system,
                                                              const ElementProgress& progress) {
    const Estimate life = system.meanLife();
    const int n = static_cast<int>(system.model().elements.size());
    PartialsTable table(system);
    std::vector<Sensitivity> list;
    for (int e = 0; e < n; ++e) {
        const ElementLaw& law = system.model().elements[e].law;
        double at = 0;
        const bool fixed = atom(law, at);
        for (int k = 1; k <= parameterCount(law.code); ++k) {
            Sensitivity s;
            s.element = e;
            s.parameter = k;
            s.value = givenParameter(law, k);
            if (fixed) {
                // The element's whole life moves: R gains dR/dp over the time it moves by.
                s.derivative = table.row(at).partials[e] * atomShift(law, k);
            } else {
                // Asked to the digits the elasticity shows: its error is the derivative's
                // times value / mean life.
                IntegrationLimits limits;
                limits.relative = 1e-12;
                if (s.value != 0) limits.absolute = 1e-13 * life.value / std::fabs(s.value);
                const Estimate d = integrateHalfLine(
                    [&](double t) {
                        return table.row(t).partials[e] * survivalDerivative(law, k, t);
                    },
                    system.breakpoints(), limits);
                s.derivative = d.value;
                s.error = d.error;
            }
            s.elasticity = elasticityOf(s.value, life.value, s.derivative);
            list.push_back(s);
        }
        if (progress && !progress(e + 1, n)) return std::nullopt;
    }
    return list;
}

std::vector<Sensitivity> reliabilitySensitivities(const ExactSystem& system, double t) {
    const std::size_t n = system.model().elements.size();
    std::vector<double> p, q, d(n);
    system.elementStates(t, p, q);
    const double r = system.structure().reliabilityAndPartials(p.data(), q.data(), d.data());
    std::vector<Sensitivity> list;
    for (std::size_t e = 0; e < n; ++e) {
        const ElementLaw& law = system.model().elements[e].law;
        double at = 0;
        const bool fixed = atom(law, at);
        for (int k = 1; k <= parameterCount(law.code); ++k) {
            Sensitivity s;
            s.element = static_cast<int>(e);
            s.parameter = k;
            s.value = givenParameter(law, k);
            if (!fixed) {
                s.derivative = d[e] * survivalDerivative(law, k, t);
            } else if (t == at && d[e] != 0 && atomShift(law, k) != 0) {
                // R steps at the fixed time: no derivative there.
                s.derivative = std::numeric_limits<double>::quiet_NaN();
            }
            s.elasticity = elasticityOf(s.value, r, s.derivative);
            list.push_back(s);
        }
    }
    return list;
}

}  // namespace farvik::analysis
