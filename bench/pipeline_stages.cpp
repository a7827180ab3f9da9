// The stages of the trials that run one at a time however many threads there are: walking
// the random stream (the raw values of every trial), and adding the blocks' figures in
// trial order (running means of the life and of every duplication, the listing's bytes).
// Their processor time bounds what more cores can give; bench/run.sh uses it.
//   pipeline_stages FOLDER NAME     prints "draw add" in seconds for NAME.DAT's trials
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

#include "leer_sistema.h"
#include "redundancy.h"
#include "running_moments.h"
#include "summary.h"
#include "trial_draws.h"

namespace {

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "uso: pipeline_stages CARPETA NOMBRE\n");
        return 2;
    }
    const std::string path = std::string(argv[1]) + "/" + argv[2] + ".DAT";
    std::ifstream in(path, std::ios::binary);
    const brenta::SystemData s = brenta::leer_sistema(in, path);
    const brenta::TrialDraws draws(s);
    constexpr int kBlock = 256;
    const int stride = draws.rawPerTrial();
    std::vector<double> raw(static_cast<std::size_t>(stride) * kBlock);

    brenta::Generator g(s.iseed);
    const double drawStart = threadSeconds();
    double check = 0;
    for (std::int64_t k = 0; k < s.nsim; k += kBlock) {
        const int n = static_cast<int>(std::min<std::int64_t>(kBlock, s.nsim - k));
        for (int t = 0; t < n; ++t) draws.drawRaw(g, raw.data() + t * stride);
        check += raw[0];
    }
    const double draw = threadSeconds() - drawStart;

    // The add stage's arithmetic and copying, on made-up values.
    std::vector<double> xd;
    std::vector<int> rowStart(s.rowCount() + 1);
    std::vector<std::pair<int, int>> firstCells;
    if (s.redundancy()) {
        if (s.kclase == farvik::kGeneralClass) {
            for (int key = 1; key <= s.ndim; ++key) {
                int m = 0, p = 0;
                if (brenta::firstCellOf(s, key, m, p)) firstCells.push_back({m, p});
            }
            xd.resize(firstCells.size());
        } else {
            for (int i = 1; i <= s.nsub; ++i) {
                rowStart[i] = static_cast<int>(xd.size());
                xd.resize(xd.size() + s.nelsub[i]);
            }
        }
    }
    for (std::size_t c = 0; c < xd.size(); ++c) xd[c] = 500.0 + c;
    auto stats = std::make_unique<brenta::RedundancyStats>();
    brenta::RunningMoments life;
    std::vector<char> listing(1 << 20);
    const char line[] = "    1.234567890E+02\r\n";
    std::size_t at = 0;
    const double addStart = threadSeconds();
    for (std::int32_t k = 1; k <= s.nsim; ++k) {
        life.add(k, 400.0 + (k & 1023));
        if (at + sizeof line > listing.size()) at = 0;
        std::memcpy(listing.data() + at, line, sizeof line - 1);
        at += sizeof line - 1;
        if (!s.redundancy()) continue;
        if (s.kclase == farvik::kGeneralClass) {
            for (std::size_t n = 0; n < firstCells.size(); ++n)
                stats->add(k, firstCells[n].first, firstCells[n].second, xd[n]);
        } else {
            for (int i = 1; i <= s.nsub; ++i)
                stats->addRow(k, i, xd.data() + rowStart[i], s.nelsub[i]);
        }
        if (k == s.nsim) break;
    }
    const double add = threadSeconds() - addStart;
    std::fprintf(stderr, "(%g %g %g %d)\n", check, life.mean, stats->vmd.v[0], listing[at / 2]);
    std::printf("%.4f %.4f\n", draw, add);
    return 0;
}
