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

#include "bench_systems.h"
#include "datafile_layout.h"
#include "run.h"

namespace {

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
        << farvik::dataFileBytes(bench::makeCase(name, trials));

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
