// Fuzz target: the engine's data file reader, and a short run of whatever it accepts.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "engine_error.h"
#include "leer_sistema.h"
#include "redundancy.h"
#include "reliability_query.h"
#include "reliability_table.h"
#include "simulation.h"
#include "summary.h"
#include "trial_reports.h"

namespace {

const std::string& listingPath() {
    static const std::string path = "/dev/shm/brenta-fuzz-" + std::to_string(::getpid());
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    brenta::SystemData s;
    try {
        s = brenta::leer_sistema(in, "fuzz.DAT");
    } catch (const brenta::EngineError&) {
        return 0;
    }
    // Whatever is accepted must simulate and report without fault; a few trials will do.
    if (s.nsim > 25) s.nsim = 25;
    try {
        brenta::ReliabilityQuery query;
        query.answer = 1;
        query.nval = 2;
        query.tval[1] = 1.0;
        query.tval[2] = 100.0;
        brenta::TrialFiles files;
        files.fallo.create("/dev/null");
        files.redun.create("/dev/null");
        files.listasis.create(listingPath());
        brenta::TrialReports reports(s, query, files);
        brenta::Generator g(s.iseed);
        auto st = std::make_unique<brenta::TrialState>();
        brenta::simulate(s, g, *st, reports);
        std::string text;
        std::ostringstream console;
        brenta::appendSummaryHead(text, console, s, query, reports.life());
        brenta::appendCauses(text, s, st->ncausa);
        if (s.redundancy()) {
            brenta::appendRedundancyReport(text, s, reports.redundancy(), reports.life().mean);
        }
        files.fallo.close();
        files.redun.close();
        files.listasis.close();
        brenta::writeReliabilityTable(listingPath(), "/dev/null", s.nsim, console,
                                      brenta::listedValue(reports.largest()));
    } catch (const brenta::EngineError&) {
    }
    return 0;
}
