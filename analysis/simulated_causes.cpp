#include "simulated_causes.h"

#include <sstream>

#include "summary_phrases.h"

namespace farvik::analysis {
namespace {

std::vector<std::string> wordsOf(const char* phrase) {
    std::istringstream in(phrase);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

}  // namespace

// Each element's record ends "... es causa inmediata del fallo del sistema N veces"; the
// free-form record may wrap the count onto the next line, so the file is read as words.
std::vector<long> readSimulatedCauses(const std::string& bytes) {
    static const std::vector<std::string> cause = wordsOf(summary_phrases::kCause);
    static const std::vector<std::string> times = wordsOf(summary_phrases::kTimes);
    // The phrase's last two words in front of the count, and the one after it.
    const std::string& last2 = cause[cause.size() - 2];
    const std::string& last1 = cause.back();
    const std::string& after = times.front();
    std::istringstream in(bytes);
    std::vector<long> counts;
    std::string word, before2, before1;
    while (in >> word) {
        if (before2 == last2 && before1 == last1) {
            try {
                std::size_t used = 0;
                const long count = std::stol(word, &used);
                std::string next;
                if (used == word.size() && in >> next && next == after) counts.push_back(count);
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
