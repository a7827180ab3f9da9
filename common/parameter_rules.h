#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The values of a system data file that the engine refuses although the file reads well,
// with the engine's own words. The engine's reader refuses a file by these rules and the data
// editor marks the same values as the user types, so both always agree.
namespace farvik {

// The stage at which the engine checks a value while it reads an element block: parameter 1
// when its line is read, parameter 2 when its line is read, and, for the two lognormals, the
// lives the pair of them gives once the three parameters are read.
enum class ParameterStage { First = 1, Second = 2, Pair = 3 };

// One refused parameter (or pair): which value it concerns and the engine's words.
struct ParameterFault {
    ParameterStage stage;
    std::string words;  // for example "la tasa de fallo debe ser mayor que 0"

    bool concernsFirst() const { return stage != ParameterStage::Second; }
    bool concernsSecond() const { return stage != ParameterStage::First; }
};

// The largest life a draw may give: the statistics add up the squares of up to 2^31 system
// lives, so a life must stay well below the square root of the largest double over 2^31.
inline constexpr double kLargestLife = 1e149;

// What the engine checks at `stage` for an element of distribution `code` (1..5) with the
// parameters p1, p2 as written in the file (a lognormal given by its own mean and deviation
// is converted here as the engine converts it). Only the first failing check of the stage.
std::optional<ParameterFault> parameterFault(int code, ParameterStage stage, double p1, double p2);

// Every fault of an element, stage by stage: the first one is the one the engine reports.
// A check that needs an earlier value to be sound (the Weibull's lives need its shape, the
// lognormals' lives need both parameters) is left out when that value is itself refused.
std::vector<ParameterFault> parameterFaults(int code, double p1, double p2);

// The engine's refusal of a parameter of the element labelled `element` ("1-2", or the key
// of an element of a general system), without the file and line in front:
// "parámetro 1 del elemento 1-2: la tasa de fallo debe ser mayor que 0".
std::string parameterRefusal(const ParameterFault& fault, const std::string& element);

// The engine's words for a seed it refuses (beyond 161803398 in magnitude, where the
// generator would leave [0, 1)), or nothing.
std::optional<std::string> seedFault(std::int64_t seed);

// The engine's words for a number of trials it refuses (below 1), or nothing.
std::optional<std::string> trialsFault(std::int64_t trials);

// The engine's words for path `path` naming the key `key` that no element block has.
std::string unknownPathKeyWords(int path, std::int64_t key);

}  // namespace farvik
