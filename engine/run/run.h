#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "reevaluation.h"

namespace brenta {

struct RunOptions {
    // The literal re-evaluation is kept as the reference for tests and benchmarks.
    Reevaluation reevaluation = Reevaluation::Incremental;
    // The threads of the trials; 0: as the environment says (runThreads, thread_count.h).
    // Any number gives the same bytes.
    int threads = 0;
};

// One run of brenta in `folder`: holds the folder (a second run there is refused), takes
// the data file's name from the single argument (or asks for it on the console), reads
// <folder>/<name>.DAT, then creates the result files, asks for the reliability times,
// simulates, writes the results and the reliability table. "--help" or "--version" as the
// only argument, where no data file has that name, writes its text on `out` and touches
// nothing. Returns the exit status; an error's message goes to `err`.
int runBrenta(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err, const std::string& folder, const RunOptions& options = {});

// <folder>/<name>.DAT, or, when no file has exactly that name, a file of the same folder
// whose name matches it without regard to letter case. Empty when there is neither.
std::string findDataFile(const std::string& folder, const std::string& name);

}  // namespace brenta
