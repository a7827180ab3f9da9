#include "distributions.h"

#include <cmath>
#include <iterator>

namespace farvik {
namespace {

// -ln u for the smallest uniform above 0 that the generator returns, and the largest |z| the
// polar method can give: the bounds of what one draw can reach.
constexpr double kMaxMinusLogU = 21.0;
constexpr double kMaxZ = 10.0;

constexpr const char* kLivesTooLarge = "los tiempos de fallo pueden pasar de 1E+149";
constexpr const char* kNegativeDeviation = "la desviación típica no puede ser negativa";

// Whether the largest life a distribution can draw stays within reach of the statistics
// (false for an infinite or undefined one).
bool lifeFits(double largest) {
    return largest <= kLargestLife;
}

constexpr auto kFirst = ParameterStage::First;
constexpr auto kSecond = ParameterStage::Second;
constexpr auto kPair = ParameterStage::Pair;

bool secondNotNegative(double, double p2) {
    return p2 >= 0;
}

// Exponential: rate.
bool positiveRate(double p1, double) {
    return p1 > 0;
}
bool exponentialLivesFit(double p1, double) {
    return lifeFits(kMaxMinusLogU / p1);
}
double exponentialMean(double p1, double) {
    return 1.0 / p1;
}
constexpr ParameterCheck kExponentialChecks[] = {
    {kFirst, positiveRate, "la tasa de fallo debe ser mayor que 0", false},
    {kFirst, exponentialLivesFit, kLivesTooLarge, false},
};

// Weibull: shape, scale.
bool positiveShape(double p1, double) {
    return p1 > 0;
}
bool weibullLivesFit(double p1, double p2) {
    return lifeFits(p2 * std::pow(kMaxMinusLogU, 1.0 / p1));
}
double weibullMean(double p1, double p2) {
    return p2 * std::tgamma(1.0 + 1.0 / p1);
}
constexpr ParameterCheck kWeibullChecks[] = {
    {kFirst, positiveShape, "el parámetro de forma debe ser mayor que 0", false},
    {kSecond, secondNotNegative, "el parámetro de escala no puede ser negativo", false},
    {kSecond, weibullLivesFit, kLivesTooLarge, true},
};

// Lognormal by the normal's parameters: mean and deviation of ln T.
bool lognormalLivesFit(double mu, double sigma) {
    return lifeFits(std::exp(mu + kMaxZ * sigma));
}
double lognormalMean(double mu, double sigma) {
    return std::exp(mu + 0.5 * sigma * sigma);
}
constexpr ParameterCheck kLognormalNormalChecks[] = {
    {kSecond, secondNotNegative, kNegativeDeviation, false},
    {kPair, lognormalLivesFit, kLivesTooLarge, true},
};

// Lognormal by its own mean and deviation, drawn as the lognormal of the normal's.
void lognormalToDrawn(double& m, double& d) {
    double mu = 0, sigma = 0;
    lognormalFromMoments(m, d, mu, sigma);
    m = mu;
    d = sigma;
}
bool positiveLognormalMean(double p1, double) {
    return p1 > 0;
}
bool lognormalByMomentsLivesFit(double m, double d) {
    lognormalToDrawn(m, d);
    return lognormalLivesFit(m, d);
}
double lognormalByMomentsMean(double m, double d) {
    lognormalToDrawn(m, d);
    return lognormalMean(m, d);
}
constexpr ParameterCheck kLognormalChecks[] = {
    {kFirst, positiveLognormalMean, "la media de la lognormal debe ser mayor que 0", false},
    {kSecond, secondNotNegative, kNegativeDeviation, false},
    {kPair, lognormalByMomentsLivesFit, kLivesTooLarge, true},
};

// Normal: mean, deviation; the engine draws again every negative time.
bool notTooFarBelowZero(double p1, double p2) {
    // Below that the redrawing of negative times would practically never end.
    return p1 >= -5 * p2;
}
bool normalLivesFit(double p1, double p2) {
    return lifeFits(p1 + kMaxZ * p2);
}
// Mean of a normal (mean m, deviation s > 0) truncated to [0, inf): m + s phi(a) / (1 - Phi(a))
// with a = -m / s. The tail is taken from erfc, which stays exact far into it.
double normalMean(double m, double s) {
    if (s == 0) return m;
    constexpr double kInverseRootTwoPi = 0.398942280401432677940;
    const double a = -m / s;
    const double density = kInverseRootTwoPi * std::exp(-0.5 * a * a);
    const double tail = 0.5 * std::erfc(a / std::sqrt(2.0));
    return m + s * density / tail;
}
constexpr ParameterCheck kNormalChecks[] = {
    {kSecond, secondNotNegative, kNegativeDeviation, false},
    {kSecond, notTooFarBelowZero, "la media está más de 5 desviaciones típicas por debajo de 0",
     true},
    {kSecond, normalLivesFit, kLivesTooLarge, true},
};

constexpr const char* kMean = "media";
constexpr const char* kDeviation = "desviación";

constexpr Distribution kTable[] = {
    {kExponential,
     "Exponencial",
     "Exponencial",
     "1.-   EXPONENCIAL",
     1,
     {{"tasa", "tasa λ", "Parámetro 1: tasa de fallo λ (tiempo exponencial de media 1/λ)"},
      {nullptr, nullptr, nullptr}},
     kExponentialChecks,
     std::size(kExponentialChecks),
     nullptr,
     exponentialMean},
    {kWeibull,
     "Weibull",
     "Weibull",
     "2.-   WEIBULL",
     2,
     {{"forma", "forma β", "Parámetro 1: forma β de la Weibull"},
      {"escala", "escala η", "Parámetro 2: escala η de la Weibull (t = η·(−ln u)^(1/β))"}},
     kWeibullChecks,
     std::size(kWeibullChecks),
     nullptr,
     weibullMean},
    {kLognormalNormal,
     "Lognormal (param. normal)",
     "LN normal",
     "3.-   LOGNORMAL (PARAM. NORMAL)",
     2,
     {{kMean, "media μ de ln T",
       "Parámetro 1: media μ del logaritmo del tiempo (de la normal subyacente)"},
      {kDeviation, "desv. σ de ln T",
       "Parámetro 2: desviación típica σ del logaritmo del tiempo (de la normal subyacente)"}},
     kLognormalNormalChecks,
     std::size(kLognormalNormalChecks),
     nullptr,
     lognormalMean},
    {kLognormal,
     "Lognormal",
     "Lognormal",
     "4.-   LOGNORMAL",
     2,
     {{kMean, "media de T", "Parámetro 1: media del tiempo de fallo (de la propia lognormal)"},
      {kDeviation, "desv. típica de T",
       "Parámetro 2: desviación típica del tiempo de fallo (de la propia lognormal)"}},
     kLognormalChecks,
     std::size(kLognormalChecks),
     lognormalToDrawn,
     lognormalByMomentsMean},
    {kNormal,
     "Normal",
     "Normal",
     "5.-   NORMAL",
     2,
     {{kMean, "media",
       "Parámetro 1: media de la normal (los tiempos negativos se vuelven a sortear)"},
      {kDeviation, "desv. típica", "Parámetro 2: desviación típica de la normal"}},
     kNormalChecks,
     std::size(kNormalChecks),
     nullptr,
     normalMean},
};

// The table holds every code once, in order, and the enumeration ends where the table does.
static_assert(std::size(kTable) == kDistributionCount);
static_assert(kNormal == kDistributionCount);
constexpr bool inCodeOrder() {
    for (std::size_t k = 0; k < std::size(kTable); ++k) {
        if (kTable[k].code != static_cast<int>(k) + 1) return false;
        if (kTable[k].parameterCount < 1 || kTable[k].parameterCount > 2) return false;
    }
    return true;
}
static_assert(inCodeOrder(), "the table's entry k must be the distribution of code k + 1");

}  // namespace

const Distribution* findDistribution(int code) {
    return code >= 1 && code <= kDistributionCount ? &kTable[code - 1] : nullptr;
}

const Distribution* distributionTable() {
    return kTable;
}

void lognormalFromMoments(double m, double d, double& mu, double& sigma) {
    const double m2 = m * m;
    const double sum = m2 + d * d;
    mu = 2.0 * std::log(m) - 0.5 * std::log(sum);
    sigma = std::sqrt(std::log(sum / m2));
}

}  // namespace farvik
