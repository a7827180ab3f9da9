#include "parameter_rules.h"

#include "distributions.h"

namespace farvik {

std::optional<ParameterFault> parameterFault(int code, ParameterStage stage, double p1, double p2) {
    const Distribution* d = findDistribution(code);
    if (!d) return std::nullopt;
    for (const ParameterCheck* c = d->checksBegin(); c != d->checksEnd(); ++c) {
        if (c->stage == stage && !c->holds(p1, p2)) return ParameterFault{stage, c->words};
    }
    return std::nullopt;
}

std::vector<ParameterFault> parameterFaults(int code, double p1, double p2) {
    std::vector<ParameterFault> faults;
    const Distribution* d = findDistribution(code);
    if (!d) return faults;
    const auto first = parameterFault(code, ParameterStage::First, p1, p2);
    if (first) faults.push_back(*first);
    for (const ParameterCheck* c = d->checksBegin(); c != d->checksEnd(); ++c) {
        if (c->stage != ParameterStage::Second || (first && c->needsFirst)) continue;
        if (!c->holds(p1, p2)) {
            faults.push_back({ParameterStage::Second, c->words});
            break;
        }
    }
    if (faults.empty()) {
        const auto pair = parameterFault(code, ParameterStage::Pair, p1, p2);
        if (pair) faults.push_back(*pair);
    }
    return faults;
}

std::string parameterRefusal(const ParameterFault& fault, const std::string& element) {
    const std::string who = "del elemento " + element;
    if (fault.stage == ParameterStage::Pair) return "parámetros " + who + ": " + fault.words;
    return "parámetro " + std::to_string(static_cast<int>(fault.stage)) + " " + who + ": " +
           fault.words;
}

std::optional<std::string> seedFault(std::int64_t seed) {
    // Largest magnitude of a seed for which the generator stays in [0, 1).
    constexpr std::int64_t kMaxSeed = 161803398;
    if (seed >= -kMaxSeed && seed <= kMaxSeed) return std::nullopt;
    return "la semilla debe estar entre -161803398 y 161803398 (se leyó " + std::to_string(seed) +
           ")";
}

std::optional<std::string> trialsFault(std::int64_t trials) {
    if (trials >= 1) return std::nullopt;
    return "el número de pruebas debe ser al menos 1 (se leyó " + std::to_string(trials) + ")";
}

std::string unknownPathKeyWords(int path, std::int64_t key) {
    return "el camino " + std::to_string(path) + " nombra el elemento " + std::to_string(key) +
           ", que no tiene datos en el fichero";
}

}  // namespace farvik
