#include "parameter_rules.h"

#include <cmath>

#include "codes.h"

namespace farvik {
namespace {

// -ln u for the smallest uniform above 0 that the generator returns, and the largest |z| the
// polar method can give: the bounds of what one draw can reach.
constexpr double kMaxMinusLogU = 21.0;
constexpr double kMaxZ = 10.0;

const char* const kLivesTooLarge = "los tiempos de fallo pueden pasar de 1E+149";

// Whether the largest life a distribution can draw stays within reach of the statistics
// (false for an infinite or undefined one).
bool lifeFits(double largest) {
    return largest <= kLargestLife;
}

std::optional<ParameterFault> fault(ParameterStage stage, const char* words) {
    return ParameterFault{stage, words};
}

std::optional<ParameterFault> firstFault(int code, double p1) {
    constexpr auto at = ParameterStage::First;
    switch (code) {
        case kExponential:
            if (!(p1 > 0)) return fault(at, "la tasa de fallo debe ser mayor que 0");
            if (!lifeFits(kMaxMinusLogU / p1)) return fault(at, kLivesTooLarge);
            break;
        case kWeibull:
            if (!(p1 > 0)) return fault(at, "el parámetro de forma debe ser mayor que 0");
            break;
        case kLognormal:
            if (!(p1 > 0)) return fault(at, "la media de la lognormal debe ser mayor que 0");
            break;
        default:
            break;
    }
    return std::nullopt;
}

std::optional<ParameterFault> secondFault(int code, double p1, double p2) {
    constexpr auto at = ParameterStage::Second;
    switch (code) {
        case kWeibull:
            if (!(p2 >= 0)) return fault(at, "el parámetro de escala no puede ser negativo");
            if (!lifeFits(p2 * std::pow(kMaxMinusLogU, 1.0 / p1))) return fault(at, kLivesTooLarge);
            break;
        case kLognormalNormal:
        case kLognormal:
            if (!(p2 >= 0)) return fault(at, "la desviación típica no puede ser negativa");
            break;
        case kNormal:
            if (!(p2 >= 0)) return fault(at, "la desviación típica no puede ser negativa");
            // Below that the redrawing of negative times would practically never end.
            if (!(p1 >= -5 * p2)) {
                return fault(at, "la media está más de 5 desviaciones típicas por debajo de 0");
            }
            if (!lifeFits(p1 + kMaxZ * p2)) return fault(at, kLivesTooLarge);
            break;
        default:
            break;
    }
    return std::nullopt;
}

std::optional<ParameterFault> pairFault(int code, double p1, double p2) {
    if (code != kLognormal && code != kLognormalNormal) return std::nullopt;
    double mu = p1;
    double sigma = p2;
    if (code == kLognormal) lognormalFromMoments(p1, p2, mu, sigma);
    if (!lifeFits(std::exp(mu + kMaxZ * sigma))) return fault(ParameterStage::Pair, kLivesTooLarge);
    return std::nullopt;
}

}  // namespace

std::optional<ParameterFault> parameterFault(int code, ParameterStage stage, double p1, double p2) {
    switch (stage) {
        case ParameterStage::First:
            return firstFault(code, p1);
        case ParameterStage::Second:
            return secondFault(code, p1, p2);
        case ParameterStage::Pair:
            return pairFault(code, p1, p2);
    }
    return std::nullopt;
}

std::vector<ParameterFault> parameterFaults(int code, double p1, double p2) {
    std::vector<ParameterFault> faults;
    const auto first = firstFault(code, p1);
    if (first) faults.push_back(*first);
    std::optional<ParameterFault> second;
    if (first && code == kWeibull) {
        // The lives need a sound shape: only the scale's own sign is judged.
        if (!(p2 >= 0))
            second = fault(ParameterStage::Second, "el parámetro de escala no puede ser negativo");
    } else {
        second = secondFault(code, p1, p2);
    }
    if (second) faults.push_back(*second);
    if (faults.empty()) {
        const auto pair = pairFault(code, p1, p2);
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

std::optional<std::string> trialsFault(std::int64_t trials) {
    if (trials >= 1) return std::nullopt;
    return "el número de pruebas debe ser al menos 1 (se leyó " + std::to_string(trials) + ")";
}

std::string unknownPathKeyWords(int path, std::int64_t key) {
    return "el camino " + std::to_string(path) + " nombra el elemento " + std::to_string(key) +
           ", que no tiene datos en el fichero";
}

void lognormalFromMoments(double m, double d, double& mu, double& sigma) {
    const double m2 = m * m;
    const double sum = m2 + d * d;
    mu = 2.0 * std::log(m) - 0.5 * std::log(sum);
    sigma = std::sqrt(std::log(sum / m2));
}

}  // namespace farvik
