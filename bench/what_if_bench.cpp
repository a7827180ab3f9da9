// what_if_bench: what "¿Y si...?" costs, per system: opening the panel (the data file read,
// the decision diagram, the mean life and the curve of the system as it stands) and each
// keystroke (the changed data file read, then R at the run's two times, the curve's 201
// points and the mean life of the system with the changed law, on the shared structure).
// Processor time in ms, best of `reps` (default 5). A system out of reach is answered by the
// bounds of R at the two times, before and after.
//   what_if_bench [REPS]        (run from the repository: it reads examples/)
#include <cstdio>
#include <ctime>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "bench_systems.h"
#include "reliability_bounds.h"
#include "system_reading.h"
#include "what_if.h"

namespace {

using namespace farvik::analysis;

template <typename F>
double bestSeconds(int reps, F step) {
    double best = 1e300;
    for (int r = 0; r < reps; ++r) {
        const std::clock_t start = std::clock();
        step();
        best = std::min(best, double(std::clock() - start) / CLOCKS_PER_SEC);
    }
    return best;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Random general systems of the editor's largest size, as bench/exact.sh draws them.
std::string randomGeneral(int length, unsigned seed) {
    std::mt19937 rng(seed);
    farvik::DataFileContent c = bench::makeCase("G50", 1000);
    for (auto& path : c.pathKeys) {
        path.clear();
        for (int m = 0; m < length; ++m) path.push_back(std::to_string(1 + rng() % 50));
    }
    for (auto& count : c.entriesPerPath) count = std::to_string(length);
    return farvik::dataFileBytes(c);
}

// The 50 x 20 benchmark system as series-parallel (code 3) instead of parallel-series.
std::string seriesParallel1000() {
    farvik::DataFileContent c = bench::makeCase("R1000", 1000);
    c.structure = 3;
    return farvik::dataFileBytes(c);
}

double sink = 0;

void measure(const std::string& name, const std::string& bytes, int reps) {
    const std::vector<double> times = {100, 500};
    const std::atomic<bool> go{false};
    const SystemModel model = *readSystem(bytes, "X.DAT").model;
    // The keystroke: the first parameter of the first element 25 % larger.
    ElementLaw law = model.elements[0].law;
    law.p1 *= 1.25;
    std::shared_ptr<const ExactSystem> exact;
    std::vector<double> curveTimes;
    const std::clock_t start = std::clock();
    try {
        exact = std::make_shared<const ExactSystem>(model);
    } catch (const TooLargeError&) {
        const double refused = double(std::clock() - start) / CLOCKS_PER_SEC;
        const double keystroke = bestSeconds(reps, [&] {
            SystemModel m = *readSystem(bytes, "X.DAT").model;
            m.elements[0].law = law;
            const PathBounds before(model), after(m);
            for (double t : times) sink += before.at(t).upper + after.at(t).lower;
        });
        std::printf("%-8s %5zu elementos  rechazado en %.1f ms; cotas por pulsación %.1f ms\n",
                    name.c_str(), model.elements.size(), 1e3 * refused, 1e3 * keystroke);
        return;
    }
    const double open = bestSeconds(reps, [&] {
        const ExactSystem e(*readSystem(bytes, "X.DAT").model);
        const auto plain = reliabilityPicture(e, {}, {}, go);
        curveTimes = curveTimesTo(2 * plain->meanLife.value);
        sink += reliabilitiesAt(e, curveTimes, go)->back();
    });
    const double keystroke = bestSeconds(reps, [&] {
        sink += readSystem(bytes, "X.DAT").model->elements.size();
        sink += reliabilitiesAt(*exact, times, go)->back();
        const ExactSystem e = exact->withLaw(0, law);
        sink += reliabilityPicture(e, times, curveTimes, go)->meanLife.value;
    });
    // Of the keystroke, what is shown first where the mean life takes long: R at the times
    // and the curves.
    const double first = bestSeconds(reps, [&] {
        sink += reliabilitiesAt(*exact, times, go)->back();
        const ExactSystem e = exact->withLaw(0, law);
        sink += reliabilitiesAt(e, times, go)->back();
        sink += reliabilitiesAt(e, curveTimes, go)->back();
    });
    // Of the keystroke, what the interface's thread does: the changed data file written
    // and read again for the element's law as the engine takes it.
    const double reading =
        bestSeconds(reps, [&] { sink += readSystem(bytes, "X.DAT").model->elements.size(); });
    std::printf(
        "%-8s %5zu elementos  abrir %.1f ms  pulsación %.1f ms (R y curvas %.1f ms, lectura "
        "%.1f ms)\n",
        name.c_str(), model.elements.size(), 1e3 * open, 1e3 * keystroke, 1e3 * first,
        1e3 * reading);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int reps = argc > 1 ? std::stoi(argv[1]) : 5;
    std::printf("procesador, el mejor de %d\n", reps);
    for (const char* name : {"SERIE", "PARALELO", "SERPAR", "PARSER", "GENERAL"})
        measure(name, fileBytes(std::string("examples/") + name + ".DAT"), reps);
    measure("R1000", farvik::dataFileBytes(bench::makeCase("R1000", 1000)), reps);
    measure("SP1000", seriesParallel1000(), reps);
    measure("G50", farvik::dataFileBytes(bench::makeCase("G50", 1000)), reps);
    for (unsigned n = 1; n <= 3; ++n)
        measure("G25-" + std::to_string(n), randomGeneral(25, 1000 * 25 + n), reps);
    measure("G13-1", randomGeneral(13, 1000 * 13 + 1), reps);
    std::printf("(control %d)\n", sink > 0);
    return 0;
}
