// Times whole runs of the engine on generated systems.
//   brenta_bench CASE MODE [TRIALS]
//   CASE: S10 (10 exponentials in series), R1000 (50 x 20 parallel-series with the
//         redundancy study), G50 (general system, 50 elements, 50 paths of 13)
//   MODE: incremental | direct (the literal re-evaluation)
// Prints one line: case, mode, trials, processor seconds (user and system: the figure that
// other work on the machine disturbs least), trials per processor second, wall seconds and
// peak memory in KiB.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "datafile_layout.h"
#include "run.h"

namespace {

farvik::DataFileElement element(int group, int index, int key, int dist, const char* p1,
                                const char* p2) {
    farvik::DataFileElement e;
    e.group = group;
    e.index = index;
    e.key = key;
    e.distribution = std::to_string(dist);
    e.params = {p1, p2, "0"};
    return e;
}

// One of four distributions in turn, all with lives of the same order.
farvik::DataFileElement mixed(int group, int index, int key, int n) {
    switch (n % 4) {
        case 0:
            return element(group, index, key, 1, "0.001", "0");
        case 1:
            return element(group, index, key, 2, "1.5", "1200");
        case 2:
            return element(group, index, key, 4, "900", "300");
        default:
            return element(group, index, key, 5, "1000", "250");
    }
}

farvik::DataFileContent makeCase(const std::string& name, long trials) {
    farvik::DataFileContent c;
    c.seed = "1";
    c.trials = std::to_string(trials);
    if (name == "S10") {
        c.structure = 1;
        c.redundancy = "2";
        c.total = "10";
        c.elementsPerSubsystem = {"10"};
        c.dimension = "10";
        for (int j = 1; j <= 10; ++j) c.elements.push_back(element(1, j, 0, 1, "0.001", "0"));
    } else if (name == "R1000") {
        c.structure = 4;
        c.redundancy = "1";
        c.total = "1000";
        c.dimension = "50";
        for (int i = 1; i <= 50; ++i) {
            c.elementsPerSubsystem.push_back("20");
            for (int j = 1; j <= 20; ++j) c.elements.push_back(mixed(i, j, 0, i + j));
        }
    } else if (name == "G50") {
        c.structure = 5;
        c.redundancy = "1";
        c.total = "50";
        c.elementCount = "50";
        c.dimension = "50";
        for (int k = 1; k <= 50; ++k) c.elements.push_back(mixed(k, 1, k, k));
        for (int p = 0; p < 50; ++p) {
            c.entriesPerPath.push_back("13");
            std::vector<std::string> keys;
            for (int m = 0; m < 13; ++m) keys.push_back(std::to_string((p * 7 + m * 11) % 50 + 1));
            c.pathKeys.push_back(keys);
        }
    } else {
        std::cerr << "caso desconocido: " << name << "\n";
        std::exit(2);
    }
    return c;
}

long defaultTrials(const std::string& name) {
    return name == "S10" ? 10000000 : 10000;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "uso: brenta_bench S10|R1000|G50 incremental|direct [pruebas]\n";
        return 2;
    }
    const std::string name = argv[1];
    const std::string mode = argv[2];
    const long trials = argc > 3 ? std::atol(argv[3]) : defaultTrials(name);

    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("brenta-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "CASO.DAT", std::ios::binary)
        << farvik::dataFileBytes(makeCase(name, trials));

    brenta::RunOptions options;
    options.reevaluation =
        mode == "direct" ? brenta::Reevaluation::Direct : brenta::Reevaluation::Incremental;
    std::istringstream answers("2\n");
    std::ostringstream console;
    const auto start = std::chrono::steady_clock::now();
    const int status =
        brenta::runBrenta({"CASO"}, answers, console, std::cerr, folder.string(), options);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                       (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    fs::remove_all(folder);
    if (status != 0) return status;
    std::printf("%-6s %-12s %10ld %9.3f s %12.0f pruebas/s  (reloj %.3f s) %8ld KiB\n",
                name.c_str(), mode.c_str(), trials, cpu, trials / cpu, seconds, usage.ru_maxrss);
    return 0;
}
