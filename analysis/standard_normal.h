#pragma once

#include <cmath>

namespace farvik::analysis {

constexpr double kSqrt2 = 1.41421356237309504880;
constexpr double kInvSqrt2Pi = 0.39894228040143267794;

// P(Z >= z) for a standard normal Z, accurate in both tails.
inline double upperTail(double z) {
    return 0.5 * std::erfc(z / kSqrt2);
}

// The standard normal density at z.
inline double normalDensity(double z) {
    return kInvSqrt2Pi * std::exp(-0.5 * z * z);
}

}  // namespace farvik::analysis
