// exact_bench: the exact computation on the benchmark systems, processor time of each step.
//   G50    R(t) at 100 times and the mean life; then all 50 duplications
//   R1000  all 1000 duplications of the 50 x 20 parallel-series system
// Best of `reps` runs (default 5), as the machine is shared.
#include <ctime>
#include <iostream>
#include <sstream>
#include <string>

#include "bench_systems.h"
#include "exact_system.h"
#include "leer_sistema.h"

namespace {

using farvik::analysis::ExactSystem;

ExactSystem systemOf(const std::string& name) {
    std::istringstream in(farvik::dataFileBytes(bench::makeCase(name, 1000)));
    return ExactSystem(farvik::analysis::modelOf(brenta::leer_sistema(in, name + ".DAT")));
}

template <typename F>
double bestSeconds(int reps, F step) {
    double best = 1e300;
    for (int r = 0; r < reps; ++r) {
        const std::clock_t start = std::clock();
        step();
        const double s = double(std::clock() - start) / CLOCKS_PER_SEC;
        if (s < best) best = s;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const int reps = argc > 1 ? std::stoi(argv[1]) : 5;
    double sink = 0;

    double setUp = bestSeconds(reps, [&] { sink += systemOf("G50").model().elements.size(); });
    const ExactSystem g50 = systemOf("G50");
    const double mean = g50.meanLife().value;
    const double curve = bestSeconds(reps, [&] {
        for (int n = 1; n <= 100; ++n) sink += g50.reliability(mean * 0.03 * n);
        sink += g50.meanLife().value;
    });
    const double g50dups = bestSeconds(reps, [&] { sink += g50.duplications()->size(); });

    const ExactSystem r1000 = systemOf("R1000");
    const double r1000dups = bestSeconds(reps, [&] { sink += r1000.duplications()->size(); });

    std::cout << "procesador, el mejor de " << reps << "\n"
              << "G50   lectura y diagrama (" << g50.model().elements.size() << " elementos)  "
              << setUp << " s\n"
              << "G50   R(t) en 100 tiempos y vida media  " << curve << " s\n"
              << "G50   las 50 duplicaciones  " << g50dups << " s\n"
              << "R1000 las 1000 duplicaciones  " << r1000dups << " s\n"
              << "(vida media G50 " << mean << ", control " << (sink > 0) << ")\n";
    return 0;
}
