#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <ostream>

namespace brenta {

// The times at which the user wants the system's reliability, asked on the console
// before the trials, and the trials that survive each of them.
struct ReliabilityQuery {
    static constexpr int kMaxTimes = 100;

    std::int32_t answer = 0;  // 1: values wanted
    std::int32_t nval = 0;
    std::array<double, kMaxTimes + 1> tval{};        // tval[1..nval]
    std::array<std::int32_t, kMaxTimes + 1> nsup{};  // trials with tsis >= tval[i]

    bool wanted() const { return answer == 1; }

    // An addition rather than a branch: whether a trial survives a time is as good as
    // random from one trial to the next.
    void countSurvivors(double tsis) {
        for (int i = 1; i <= nval; ++i) nsup[i] += tsis >= tval[i];
    }
};

// Writes `n` console lines of two blanks.
void lineas_blanco(std::ostream& out, int n);

// The console dialogue: asks whether reliability values are wanted, how many and at which
// times. Throws EngineError on an answer that is not a number, on the end of the input and
// on more than 100 times.
ReliabilityQuery askReliabilityTimes(std::istream& in, std::ostream& out);

}  // namespace brenta
