#include "aleat.h"

#include <cstdlib>

namespace brenta {

void initialise(Generator& g) {
    constexpr std::int32_t kSeedConstant = 161803398;
    g.initialised = 1;
    std::int32_t mj = (kSeedConstant - std::abs(g.iseed)) % kModulus;
    g.ma[55] = mj;
    std::int32_t mk = 1;
    for (int i = 1; i <= 54; ++i) {
        const int ii = (21 * i) % 55;
        g.ma[ii] = mk;
        mk = mj - mk;
        if (mk < 0) mk += kModulus;
        mj = g.ma[ii];
    }
    for (int pass = 0; pass < 4; ++pass) {
        for (int i = 1; i <= 55; ++i) {
            g.ma[i] -= g.ma[1 + (i + 30) % 55];
            if (g.ma[i] < 0) g.ma[i] += kModulus;
        }
    }
    g.inext = 0;
    g.inextp = 31;
    g.iseed = -1;
}

}  // namespace brenta
