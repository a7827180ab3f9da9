#include "thread_count.h"

#include <sched.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

namespace brenta {
namespace {

// A whole number from 1 up, digits only; 0 for anything else.
int positiveNumber(const char* text) {
    if (!text || !*text) return 0;
    long value = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9') return 0;
        value = std::min<long>(value * 10 + (*c - '0'), kMostThreads);
    }
    return static_cast<int>(value);
}

}  // namespace

int availableProcessors() {
    int count = static_cast<int>(std::thread::hardware_concurrency());
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0) {
        const int allowed = CPU_COUNT(&set);
        if (allowed > 0 && (count <= 0 || allowed < count)) count = allowed;
    }
    return std::clamp(count, 1, kMostThreads);
}

int runThreads(int requested) {
    if (requested > 0) return std::min(requested, kMostThreads);
    const int fromEnvironment = positiveNumber(std::getenv("BRENTA_HILOS"));
    return fromEnvironment > 0 ? fromEnvironment : availableProcessors();
}

}  // namespace brenta
