#pragma once

#include <array>
#include <cstdint>

namespace brenta {

// The engine's uniform generator: a subtractive lagged generator over a table of 55
// integers. The seed from the data file is its state word; the first draw initialises
// the table (a seed and its negative give the same stream) and sets the word to -1.
struct Generator {
    explicit Generator(std::int32_t seed = 0) : iseed(seed) {}

    std::int32_t iseed;
    std::int32_t initialised = 0;
    std::array<std::int32_t, 56> ma{};  // ma[1..55]
    std::int32_t inext = 0;
    std::int32_t inextp = 0;
};

// Single-precision 1e-9 widened to double: the scale of the generator's integers.
constexpr double kUniformScale = static_cast<double>(1e-9f);

inline constexpr std::int32_t kModulus = 1000000000;

void initialise(Generator& g);

// The next uniform number, 0 <= u < 1.
inline double aleat(Generator& g) {
    if (g.iseed > 0 || g.initialised == 0) initialise(g);
    if (++g.inext == 56) g.inext = 1;
    if (++g.inextp == 56) g.inextp = 1;
    std::int32_t mj = g.ma[g.inext] - g.ma[g.inextp];
    if (mj < 0) mj += kModulus;
    g.ma[g.inext] = mj;
    return mj * kUniformScale;
}

}  // namespace brenta
