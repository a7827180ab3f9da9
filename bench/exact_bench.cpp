// exact_bench: the exact computation on the benchmark systems, processor time of each step.
//   G50    R(t) at 100 times and the mean life; then all 50 duplications
//   R1000  all 1000 duplications of the 50 x 20 parallel-series system
// Best of `reps` runs (default 5), as the machine is shared. Then, once each, 20 random
// general systems of 50 elements with 50 paths of 13 keys and 20 with paths of 25: the
// diagram's nodes, the processor time of the diagram, the mean life and R at 100 times (or,
// out of reach, of the bounds at 100 times), and the method, for the former way (paths'
// first naming order, 2,000,000 nodes, no time limit) and the present one. With "sifting"
// as second argument, BuDDy's sifting from the first naming order is measured too, on the
// first system of each size (it may take minutes).
#include <cstdio>
#include <ctime>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench_systems.h"
#include "exact_system.h"
#include "importance.h"
#include "leer_sistema.h"
#include "path_diagram.h"
#include "reliability_bounds.h"
#include "sensitivity.h"

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

// Random general systems of the editor's largest size: 50 elements (the benchmark's four
// laws in turn) and 50 paths of `length` keys drawn at random.
farvik::analysis::SystemModel randomGeneral(int length, unsigned seed) {
    std::mt19937 rng(seed);
    farvik::DataFileContent c = bench::makeCase("G50", 1000);
    for (auto& path : c.pathKeys) {
        path.clear();
        for (int m = 0; m < length; ++m) path.push_back(std::to_string(1 + rng() % 50));
    }
    for (auto& count : c.entriesPerPath) count = std::to_string(length);
    std::istringstream in(farvik::dataFileBytes(c));
    return farvik::analysis::modelOf(brenta::leer_sistema(in, "G.DAT"));
}

struct Attempt {
    std::size_t nodes = 0;
    double seconds = 0;
    bool exact = false;
};

// The diagram and, when it is made, the mean life and R at 100 times; otherwise the bounds
// at the same 100 times.
Attempt attempt(const farvik::analysis::SystemModel& model,
                const farvik::analysis::DiagramLimits& limits, double& sink) {
    using namespace farvik::analysis;
    Attempt a;
    const std::clock_t start = std::clock();
    try {
        const ExactSystem exact(model, elementState, limits);
        a.nodes = static_cast<const PathDiagram&>(exact.structure()).nodeCount();
        const double mean = exact.meanLife().value;
        std::vector<double> times;
        for (int n = 1; n <= 100; ++n) times.push_back(mean * 0.03 * n);
        for (double r : exact.reliabilities(times)) sink += r;
        a.exact = true;
    } catch (const TooLargeError&) {
        const PathBounds bounds(model);
        for (int n = 1; n <= 100; ++n) sink += bounds.at(15.0 * n).upper;
    }
    a.seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
    return a;
}

std::string describe(const Attempt& a) {
    char line[96];
    if (a.exact) {
        std::snprintf(line, sizeof line, "%9zu nodos %7.3f s exacto", a.nodes, a.seconds);
    } else {
        std::snprintf(line, sizeof line, "%9s nodos %7.3f s cotas ", "-", a.seconds);
    }
    return line;
}

void randomSystems(bool sifting, double& sink) {
    using namespace farvik::analysis;
    DiagramLimits before;
    before.order = VariableOrder::FirstNamed;
    before.maxNodes = 2000000;
    before.seconds = 1e9;
    const DiagramLimits after;
    DiagramLimits sifted = before;
    sifted.sifting = true;
    sifted.seconds = 120;
    std::cout << "sistema        antes (primer nombrado, 2e6 nodos)    "
                 "después (orden de caminos, límites)\n";
    for (int length : {13, 25}) {
        int exact = 0;
        double worst = 0;
        for (unsigned n = 1; n <= 20; ++n) {
            const SystemModel model = randomGeneral(length, 1000 * length + n);
            const Attempt was = attempt(model, before, sink);
            const Attempt now = attempt(model, after, sink);
            exact += now.exact;
            worst = std::max(worst, now.seconds);
            std::printf("G%d-%02u  %s   %s\n", length, n, describe(was).c_str(),
                        describe(now).c_str());
            if (sifting && n == 1) {
                std::printf("        tamizado (sifting): %s\n",
                            describe(attempt(model, sifted, sink)).c_str());
            }
            std::fflush(stdout);
        }
        std::printf("caminos de %d: %d de 20 exactos; el más lento %.3f s\n", length, exact, worst);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int reps = argc > 1 ? std::stoi(argv[1]) : 5;
    const bool sifting = argc > 2 && std::string(argv[2]) == "sifting";
    double sink = 0;

    double setUp = bestSeconds(reps, [&] { sink += systemOf("G50").model().elements.size(); });
    const ExactSystem g50 = systemOf("G50");
    const double mean = g50.meanLife().value;
    const double curve = bestSeconds(reps, [&] {
        std::vector<double> times;
        for (int n = 1; n <= 100; ++n) times.push_back(mean * 0.03 * n);
        for (double r : g50.reliabilities(times)) sink += r;
        sink += g50.meanLife().value;
    });
    const double g50dups = bestSeconds(reps, [&] { sink += g50.duplications()->size(); });
    const double g50measures = bestSeconds(reps, [&] {
        for (int n = 1; n <= 10; ++n)
            sink += farvik::analysis::importanceAt(g50, mean * 0.3 * n).size();
        sink += farvik::analysis::failureCauses(g50)->size();
        sink += farvik::analysis::meanLifeSensitivities(g50)->size();
    });

    const ExactSystem r1000 = systemOf("R1000");
    const double r1000dups = bestSeconds(reps, [&] { sink += r1000.duplications()->size(); });
    const double r1000measures = bestSeconds(reps, [&] {
        sink += farvik::analysis::importanceAt(r1000, 500).size();
        sink += farvik::analysis::failureCauses(r1000)->size();
        sink += farvik::analysis::meanLifeSensitivities(r1000)->size();
    });

    std::cout << "procesador, el mejor de " << reps << "\n"
              << "G50   lectura y diagrama (" << g50.model().elements.size() << " elementos, "
              << static_cast<const farvik::analysis::PathDiagram&>(g50.structure()).nodeCount()
              << " nodos)  " << setUp << " s\n"
              << "G50   R(t) en 100 tiempos y vida media  " << curve << " s\n"
              << "G50   las 50 duplicaciones  " << g50dups << " s\n"
              << "G50   importancias en 10 tiempos, causas y sensibilidades  " << g50measures
              << " s\n"
              << "R1000 las 1000 duplicaciones  " << r1000dups << " s\n"
              << "R1000 importancias en 1 tiempo, causas y sensibilidades  " << r1000measures
              << " s\n";
    randomSystems(sifting, sink);
    std::cout << "(vida media G50 " << mean << ", control " << (sink > 0) << ")\n";
    return 0;
}
