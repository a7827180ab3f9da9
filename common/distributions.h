#pragma once

#include <cstddef>

#include "parameter_rules.h"

// The distributions of an element's failure time: everything the two programs know of each
// one but how the engine draws it (engine/core/muestra.h, trial_draws.cpp) and its exact law
// (analysis/element_law.cpp, law_parameters.cpp). A new distribution is one more entry of the
// table in distributions.cpp, its draw and its law; every other place reads the table.
namespace farvik {

// Distribution code of an element, as the data file writes it (the front end stores it
// 0-based: code - 1). The table holds them in this order.
enum DistributionCode {
    kExponential = 1,      // rate
    kWeibull = 2,          // shape, scale
    kLognormalNormal = 3,  // mean and sd of ln T
    kLognormal = 4,        // mean and sd of T
    kNormal = 5,           // mean, sd; truncated to T >= 0
};

// The codes run from 1 to this. The draws and the exact laws check it at compile time, so
// that a new entry of the table is not forgotten there.
inline constexpr int kDistributionCount = 5;

// One check the engine makes of an element's parameters as it reads them.
struct ParameterCheck {
    ParameterStage stage;
    // Whether the parameters pass; false refuses them with `words`. Parameters that are not
    // numbers fail every check.
    bool (*holds)(double p1, double p2);
    const char* words;  // the engine's words: "la tasa de fallo debe ser mayor que 0"
    // A check of parameter 2 that needs a sound parameter 1 (a Weibull's lives need its
    // shape): the editor leaves it out while parameter 1 is itself refused. The checks of the
    // pair are made only when both parameters have passed theirs.
    bool needsFirst;
};

// How the windows name one parameter.
struct ParameterLabel {
    const char* name;         // the importance measures: "forma"
    const char* placeholder;  // an empty box of the editor: "forma β"
    const char* tooltip;      // the box's tooltip: "Parámetro 1: forma β de la Weibull"
};

struct Distribution {
    DistributionCode code;
    const char* name;       // the editor's list and the study report: "Lognormal (param. normal)"
    const char* shortName;  // the block diagram: "LN normal"
    const char*
        fileOption;      // its line under the data file's label: "3.-   LOGNORMAL (PARAM. NORMAL)"
    int parameterCount;  // 1 or 2; the file always holds three parameter lines
    ParameterLabel parameters[2];  // the first parameterCount are used
    const ParameterCheck* checks;  // in the order the engine makes them
    std::size_t checkCount;
    // Turns the parameters as written into those the draw takes (the lognormal given by its
    // own mean and deviation into the normal's); nullptr where they are the same.
    void (*toDrawn)(double& p1, double& p2);
    // The mean of the time drawn, for parameters the checks pass (may overflow to inf).
    double (*mean)(double p1, double p2);

    const ParameterCheck* checksBegin() const { return checks; }
    const ParameterCheck* checksEnd() const { return checks + checkCount; }
};

// The entry of `code`; nullptr for a code outside 1..kDistributionCount.
const Distribution* findDistribution(int code);

// Every entry, in the order of the codes: distributionTable()[code - 1].
const Distribution* distributionTable();

// Distribution 4 is given by the mean m and standard deviation d of T; the engine draws it
// as a lognormal of the normal's parameters mu, sigma, converted from m and d this way.
void lognormalFromMoments(double m, double d, double& mu, double& sigma);

}  // namespace farvik
