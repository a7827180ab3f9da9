#include "exact_system.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace farvik::analysis {
namespace {

// Survival levels at which each element's time is cut: where its survival bends, and deep
// into its tail, so that no piece of the quadrature hides a step of some element.
constexpr double kLevels[] = {1 - 1e-6, 0.99, 0.9,  0.7,  0.5,   0.3,
                              0.1,      1e-2, 1e-4, 1e-7, 1e-10, 1e-13};

std::vector<double> breakpointsOf(const SystemModel& model, bool& hasAtom) {
    std::vector<double> cuts;
    std::vector<ElementLaw> seen;
    hasAtom = false;
    for (const ModelElement& e : model.elements) {
        const ElementLaw& law = e.law;
        const bool repeated = std::any_of(seen.begin(), seen.end(), [&](const ElementLaw& o) {
            return o.code == law.code && o.p1 == law.p1 && o.p2 == law.p2;
        });
        if (repeated) continue;
        seen.push_back(law);
        double at = 0;
        if (atom(law, at)) {
            hasAtom = true;
            cuts.push_back(at);
            continue;
        }
        for (double q : kLevels) cuts.push_back(survivalQuantile(law, q));
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    return cuts;
}

}  // namespace

ExactSystem::ExactSystem(SystemModel model, StateFunction state, const DiagramLimits& limits)
    : model_(std::move(model)), state_(state), structure_(structureFunction(model_, limits)) {
    breakpoints_ = breakpointsOf(model_, hasAtom_);
}

ExactSystem ExactSystem::withLaw(std::size_t element, const ElementLaw& law) const {
    ExactSystem changed(*this);
    changed.model_.elements.at(element).law = law;
    changed.breakpoints_ = breakpointsOf(changed.model_, changed.hasAtom_);
    return changed;
}

void ExactSystem::statesAt(double t, std::vector<double>& p, std::vector<double>& q,
                           std::vector<double>* density) const {
    const std::size_t n = model_.elements.size();
    p.resize(n);
    q.resize(n);
    if (density) density->resize(n);
    for (std::size_t k = 0; k < n; ++k) {
        const ElementState s = state_(model_.elements[k].law, t);
        p[k] = s.survival;
        q[k] = s.failure;
        if (density) (*density)[k] = s.density;
    }
}

double ExactSystem::reliability(double t) const {
    std::vector<double> p, q;
    statesAt(t, p, q, nullptr);
    return structure_->reliability(p.data(), q.data());
}

std::vector<double> ExactSystem::reliabilities(const std::vector<double>& times) const {
    const std::size_t n = model_.elements.size(), lanes = times.size();
    std::vector<double> p(n * lanes), q(n * lanes), r(lanes);
    for (std::size_t k = 0; k < n; ++k) {
        const ElementLaw& law = model_.elements[k].law;
        for (std::size_t j = 0; j < lanes; ++j) {
            const ElementState s = state_(law, times[j]);
            p[k * lanes + j] = s.survival;
            q[k * lanes + j] = s.failure;
        }
    }
    if (lanes > 0) structure_->reliabilities(p.data(), q.data(), n, lanes, r.data());
    return r;
}

double ExactSystem::hazard(double t) const {
    constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();
    if (hasAtom_) return kUndefined;
    std::vector<double> p, q, f, d(model_.elements.size());
    statesAt(t, p, q, &f);
    const double r = structure_->reliabilityAndPartials(p.data(), q.data(), d.data());
    if (!(r > 0)) return kUndefined;
    double density = 0;
    for (std::size_t k = 0; k < d.size(); ++k) density += d[k] * f[k];
    return density / r;
}

Estimate ExactSystem::meanLife() const {
    IntegrationLimits limits;
    limits.nonIncreasing = true;
    return integrateHalfLine([this](const std::vector<double>& times,
                                    std::vector<double>& values) { values = reliabilities(times); },
                             breakpoints_, limits);
}

std::optional<std::vector<Duplication>> ExactSystem::duplications(
    const DuplicationProgress& progress) const {
    const Estimate plain = meanLife();
    const int n = static_cast<int>(model_.elements.size());

    // The duplicate pair of element k works with probability 1 - q^2, p q more than k
    // alone, so the system gains p q dR/dp_k. The quadratures of all elements meet at many
    // of the same times: each time's gains are worked out once, for all elements.
    std::unordered_map<double, std::size_t> rowOf;
    std::vector<double> gains;
    std::vector<double> p, q, d(n);
    auto gainsAt = [&](double t) -> const double* {
        auto found = rowOf.find(t);
        if (found == rowOf.end()) {
            statesAt(t, p, q, nullptr);
            structure_->reliabilityAndPartials(p.data(), q.data(), d.data());
            const std::size_t row = gains.size();
            for (int k = 0; k < n; ++k) gains.push_back(p[k] * q[k] * d[k]);
            found = rowOf.emplace(t, row).first;
        }
        return &gains[found->second];
    };

    IntegrationLimits limits;
    limits.absolute = limits.relative * plain.value;
    std::vector<Duplication> list;
    for (int k = 0; k < n; ++k) {
        Duplication dup;
        dup.element = k;
        dup.gain = integrateHalfLine([&](double t) { return gainsAt(t)[k]; }, breakpoints_, limits);
        dup.meanLife = {plain.value + dup.gain.value, plain.error + dup.gain.error};
        list.push_back(dup);
        if (progress && !progress(k + 1, n)) return std::nullopt;
    }
    return list;
}

std::size_t bestDuplication(const std::vector<Duplication>& list) {
    std::size_t best = 0;
    for (std::size_t k = 1; k < list.size(); ++k) {
        if (list[k].gain.value > list[best].gain.value) best = k;
    }
    return best;
}

}  // namespace farvik::analysis
