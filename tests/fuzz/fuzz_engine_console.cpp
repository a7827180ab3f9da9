// Fuzz target: the engine's console dialogue, answered with arbitrary input.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "engine_error.h"
#include "reliability_query.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    try {
        const brenta::ReliabilityQuery q = brenta::askReliabilityTimes(in, out);
        if (q.nval > brenta::ReliabilityQuery::kMaxTimes) __builtin_trap();
        for (int i = 1; i <= q.nval; ++i) {
            if (q.tval[i] != q.tval[i]) __builtin_trap();  // a NaN was accepted
        }
    } catch (const brenta::EngineError&) {
    }
    return 0;
}
