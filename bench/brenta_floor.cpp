// The floor of a run: what no run of the same system can avoid. Reads the data file, makes
// exactly the draws of the run in the same order with the same calls (the engine's own
// drawing code), keeps them in the run's working tables, and writes as many bytes as the
// run's result files hold, in large blocks, to as many new files. Nothing else: no
// combination, statistics, number edits or reading back.
//   brenta_floor RUN_FOLDER NAME OUT_FOLDER
// RUN_FOLDER holds NAME.DAT and the result files of a run of it; the first trial of its
// fallo.txt must hold the times drawn here (else exit 1). OUT_FOLDER must be empty.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "aleat.h"
#include "leer_sistema.h"
#include "number_format.h"
#include "result_file_names.h"
#include "trial.h"

namespace {

long long sizeOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    return in ? static_cast<long long>(in.tellg()) : -1;
}

// The values of the first trial's row of fallo.txt, as written.
std::vector<std::string> firstTrialRow(const std::string& path, std::size_t values) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    const std::size_t lines = (values + 99) / 100;
    // The title, its underline, the class record, then the column labels.
    for (std::size_t n = 0; n < 3 + lines; ++n) std::getline(in, line);
    std::vector<std::string> row;
    for (std::size_t n = 0; n < lines && std::getline(in, line); ++n) {
        std::istringstream words(line);
        std::string w;
        while (words >> w) row.push_back(w);
    }
    return row;
}

// The element times of the first trial as fallo.txt writes them (row times and the
// system time are left out: the floor does not work them out).
bool matchesFirstTrial(const brenta::SystemData& s, const brenta::TrialState& st,
                       const std::string& fallo) {
    std::size_t values = 1;
    for (int i = 1; i <= s.rowCount(); ++i) values += s.rowLength(i) + 1;
    const std::vector<std::string> row = firstTrialRow(fallo, values);
    if (row.size() != values) return false;
    std::size_t n = 0;
    for (int i = 1; i <= s.rowCount(); ++i) {
        for (int j = 1; j <= s.rowLength(i); ++j, ++n) {
            char text[32];
            const std::string drawn(text, brenta::writeE15_9(text, st.tel(j, i)) - text);
            if (drawn != row[n]) {
                std::cerr << "brenta_floor: la prueba 1 de " << fallo << " tiene " << row[n]
                          << " en (" << j << ", " << i << "); aquí salió " << drawn << "\n";
                return false;
            }
        }
        ++n;  // the row's time
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "uso: brenta_floor CARPETA_DE_LA_EJECUCION NOMBRE CARPETA_DE_SALIDA\n";
        return 2;
    }
    const std::string runFolder = argv[1];
    const std::string dataPath = runFolder + "/" + argv[2] + ".DAT";
    const std::string outFolder = argv[3];

    std::ifstream data(dataPath, std::ios::binary);
    const brenta::SystemData s = brenta::leer_sistema(data, dataPath);

    brenta::Generator generator(s.iseed);
    auto state = std::make_unique<brenta::TrialState>();
    for (std::int32_t k = 1; k <= s.nsim; ++k) {
        brenta::drawTrial(generator, s, *state);
        if (k == 1 &&
            !matchesFirstTrial(s, *state, runFolder + "/" + farvik::result_files::kFirstTrials))
            return 1;
        if (k == s.nsim) break;
    }

    constexpr std::size_t kBlock = 1 << 20;
    const std::vector<char> block(kBlock, ' ');
    for (const char* name : farvik::result_files::kAll) {
        long long left = sizeOf(runFolder + "/" + name);
        if (left < 0) {
            std::cerr << "brenta_floor: falta " << runFolder << "/" << name << "\n";
            return 1;
        }
        const std::string path = outFolder + "/" + name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0) {
            std::perror(path.c_str());
            return 1;
        }
        while (left > 0) {
            const std::size_t n = left < static_cast<long long>(kBlock) ? left : kBlock;
            if (::write(fd, block.data(), n) != static_cast<ssize_t>(n)) return 1;
            left -= n;
        }
        if (::close(fd) != 0) return 1;
    }
    return 0;
}
