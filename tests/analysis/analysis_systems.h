#pragma once

// Systems for the tests of the exact computation, read by the engine's own reader.
#include <cmath>
#include <vector>

#include "exact_system.h"
#include "test_systems.h"

namespace farvik::analysis::testing {

using brenta::testing::El;

inline El exponential(double rate) {
    return {1, rate, 0};
}
inline El weibull(double shape, double scale) {
    return {2, shape, scale};
}
inline El lognormalOfNormal(double mu, double sigma) {
    return {3, mu, sigma};
}
inline El lognormal(double mean, double sd) {
    return {4, mean, sd};
}
inline El normal(double mean, double sd) {
    return {5, mean, sd};
}

inline SystemModel modelOfContent(const farvik::DataFileContent& c) {
    return modelOf(brenta::testing::systemOf(c));
}

// Codes 1 to 4: the subsystems' elements.
inline ExactSystem rows(int code, const std::vector<std::vector<El>>& subs, int redun = 2) {
    return ExactSystem(modelOfContent(brenta::testing::subsystems(code, redun, subs)));
}

// Code 5: elements with keys 1..n in order, and paths of keys.
inline ExactSystem paths(const std::vector<El>& elements, const std::vector<std::vector<int>>& keys,
                         int redun = 2) {
    std::vector<std::pair<int, El>> keyed;
    for (std::size_t k = 0; k < elements.size(); ++k) keyed.push_back({int(k + 1), elements[k]});
    return ExactSystem(modelOfContent(brenta::testing::general(redun, keyed, keys)));
}

// |a - b| within `relative` of |b|.
inline bool near(double a, double b, double relative) {
    return std::fabs(a - b) <= relative * std::fabs(b);
}

}  // namespace farvik::analysis::testing
