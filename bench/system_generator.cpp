// Writes data files of random systems, with the console answers of their runs, for the
// comparison of two engines (bench/compare.sh).
//   system_generator FOLDER random COUNT [SEED]   COUNT systems of every structure code
//   system_generator FOLDER case NAME TRIALS      one of the benchmark cases (S10, R1000, G50)
// Each system NAME gets NAME.DAT and NAME.in (what is typed on the console).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "bench_systems.h"
#include "datafile_layout.h"

namespace {

using Rng = std::mt19937;

int below(Rng& rng, int n) {
    return static_cast<int>(rng() % static_cast<unsigned>(n));
}

const char* pick(Rng& rng, std::initializer_list<const char*> texts) {
    return texts.begin()[below(rng, static_cast<int>(texts.size()))];
}

// Every distribution, with fixed lives (normal without spread) often enough that times tie.
farvik::DataFileElement randomElement(Rng& rng, int group, int index, int key) {
    farvik::DataFileElement e;
    e.group = group;
    e.index = index;
    e.key = key;
    const int code = 1 + below(rng, 5);
    e.distribution = std::to_string(code);
    switch (code) {
        case 1:
            e.params = {pick(rng, {"0.001", "0.01", "0.5", "2", "1E-4"}), "0", "0"};
            break;
        case 2:
            e.params = {pick(rng, {"0.5", "1.5", "3"}), pick(rng, {"100", "1200", "0.5"}), "0"};
            break;
        case 3:
            e.params = {pick(rng, {"1", "5", "-2"}), pick(rng, {"0", "0.5", "1.2"}), "0"};
            break;
        case 4:
            e.params = {pick(rng, {"900", "3", "0.01"}), pick(rng, {"300", "0", "1"}), "0"};
            break;
        default:
            e.params = {pick(rng, {"1000", "5", "2"}), pick(rng, {"250", "0", "1"}), "0"};
            break;
    }
    return e;
}

// Mostly small systems with few trials; now and then one of the largest, or a long run.
farvik::DataFileContent randomSystem(Rng& rng, int code) {
    farvik::DataFileContent c;
    c.structure = code;
    c.redundancy = below(rng, 4) == 0 ? "2" : "1";
    const bool big = below(rng, 12) == 0;
    const int trials = below(rng, 10) == 0 ? 1 + below(rng, 3000) : 1 + below(rng, 60);
    c.seed = std::to_string(below(rng, 2) ? below(rng, 100000) : -below(rng, 1000));
    c.trials = std::to_string(trials);
    if (code == 5) {
        const int nel = 1 + below(rng, big ? 50 : 8);
        const int ndim = std::min(50, nel + (below(rng, 3) == 0 ? below(rng, 5) : 0));
        std::vector<int> keys(ndim);
        std::iota(keys.begin(), keys.end(), 1);
        std::shuffle(keys.begin(), keys.end(), rng);
        keys.resize(nel);
        c.total = std::to_string(nel);
        c.elementCount = std::to_string(nel);
        c.dimension = std::to_string(ndim);
        for (int b = 0; b < nel; ++b) c.elements.push_back(randomElement(rng, b + 1, 1, keys[b]));
        const int paths = 1 + below(rng, big ? 50 : 6);
        for (int p = 0; p < paths; ++p) {
            const int n = 1 + below(rng, big ? 20 : 5);
            c.entriesPerPath.push_back(std::to_string(n));
            std::vector<std::string> path;
            for (int m = 0; m < n; ++m) path.push_back(std::to_string(keys[below(rng, nel)]));
            c.pathKeys.push_back(path);
        }
        return c;
    }
    // Codes 1 and 2 are one row of elements; 3 and 4 rows of rows.
    const int rows = code <= 2 ? 1 : 1 + below(rng, big ? 50 : 5);
    int widest = 0, total = 0;
    for (int i = 1; i <= rows; ++i) {
        const int n = 1 + below(rng, big ? 50 : 6);
        widest = std::max(widest, n);
        total += n;
        c.elementsPerSubsystem.push_back(std::to_string(n));
        for (int j = 1; j <= n; ++j) c.elements.push_back(randomElement(rng, i, j, 0));
    }
    c.total = std::to_string(total);
    c.dimension = std::to_string(std::min(50, std::max(widest, rows) + below(rng, 2)));
    return c;
}

// Without reliability values, or up to five of them.
std::string randomAnswers(Rng& rng) {
    if (below(rng, 3) == 0) return "2\n";
    const int n = 1 + below(rng, 5);
    std::string text = "1\n" + std::to_string(n) + "\n";
    for (int i = 0; i < n; ++i)
        text += pick(rng, {"0.5", "10", "100", "500", "1000", "2.5"}) + std::string("\n");
    return text;
}

bool save(const std::string& folder, const std::string& name, const farvik::DataFileContent& c,
          const std::string& answers) {
    std::ofstream data(folder + "/" + name + ".DAT", std::ios::binary);
    data << farvik::dataFileBytes(c);
    std::ofstream in(folder + "/" + name + ".in", std::ios::binary);
    in << answers;
    return data.good() && in.good();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr
            << "uso: system_generator CARPETA random N [SEMILLA] | CARPETA case CASO PRUEBAS\n";
        return 2;
    }
    const std::string folder = argv[1];
    const std::string what = argv[2];
    if (what == "case") {
        if (argc < 5) return 2;
        const std::string name = argv[3];
        const bool saved =
            save(folder, name + "_" + argv[4], bench::makeCase(name, std::atol(argv[4])),
                 "1\n3\n100\n1000\n5000\n");
        return saved ? 0 : 1;
    }
    const int count = std::atoi(argv[3]);
    Rng rng(argc > 4 ? static_cast<unsigned>(std::atoi(argv[4])) : 1u);
    for (int code = 1; code <= 5; ++code) {
        for (int n = 0; n < count; ++n) {
            char name[32];
            std::snprintf(name, sizeof name, "C%dN%04d", code, n);
            farvik::DataFileContent c = randomSystem(rng, code);
            // Now and then a file the engine refuses, so that the failures are compared too.
            if (below(rng, 25) == 0) c.elements.back().distribution = "7";
            if (!save(folder, name, c, randomAnswers(rng))) return 1;
        }
    }
    return 0;
}
