#include "simulated_causes.h"

#include <sstream>

namespace farvik::analysis {

// Each element's record ends "... es causa inmediata del fallo del sistema N veces"; the
// free-form record may wrap the count onto the next line, so the file is read as words.
std::vector<long> readSimulatedCauses(const std::string& bytes) {
    std::istringstream in(bytes);
    std::vector<long> counts;
    std::string word, before2, before1;
    while (in >> word) {
        if (before2 == "del" && before1 == "sistema") {
            try {
                std::size_t used = 0;
                const long count = std::stol(word, &used);
                std::string next;
                if (used == word.size() && in >> next && next == "veces") counts.push_back(count);
                before2 = before1;
                before1 = word;
                word = next;
            } catch (const std::exception&) {
                // not a count: some other text about the system
            }
        }
        before2 = before1;
        before1 = word;
    }
    return counts;
}

}  // namespace farvik::analysis
