#include "simulated_summary.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <sstream>

#include "cp1252.h"
#include "summary_phrases.h"

namespace farvik::analysis {
namespace {

// The words of one of the summary's phrases as the file holds them (code page 1252).
std::vector<std::string> wordsOf(const char* phrase) {
    std::istringstream in(utf8ToCp1252(phrase));
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

struct Phrases {
    std::vector<std::string> trials = wordsOf(summary_phrases::kTrials);
    std::vector<std::string> reliability = wordsOf(summary_phrases::kReliability);
    std::vector<std::string> timeUnit = wordsOf(summary_phrases::kTimeUnit);
    std::vector<std::string> reliabilityIs = wordsOf(summary_phrases::kReliabilityIs);
    std::vector<std::string> meanLife = wordsOf(summary_phrases::kMeanLife);
    std::vector<std::string> standardError = wordsOf(summary_phrases::kStandardError);
    std::vector<std::string> element = wordsOf(summary_phrases::kElement);
    std::vector<std::string> ofSubsystem = wordsOf(summary_phrases::kOfSubsystem);
    std::vector<std::string> ofSubsystemInCapitals =
        wordsOf(summary_phrases::kOfSubsystemInCapitals);
    std::vector<std::string> cause = wordsOf(summary_phrases::kCause);
    std::vector<std::string> lifeWith = wordsOf(summary_phrases::kLifeWith);
    std::vector<std::string> gain = wordsOf(summary_phrases::kGain);
    std::vector<std::string> deviation = wordsOf(summary_phrases::kDeviation);
    std::vector<std::string> best = wordsOf(summary_phrases::kBest);
    std::vector<std::string> advisable = wordsOf(summary_phrases::kAdvisable);
};

class Words {
  public:
    explicit Words(const std::string& bytes) {
        std::istringstream in(bytes);
        std::string w;
        while (in >> w) {
            // A 12-column integer runs into a text that does not begin with a blank
            // ("1del subsistema"): the digits are a word of their own.
            const std::size_t digits = w.find_first_not_of("0123456789");
            if (digits != 0 && digits != std::string::npos &&
                std::isalpha(static_cast<unsigned char>(w[digits]))) {
                words_.push_back(w.substr(0, digits));
                w.erase(0, digits);
            }
            words_.push_back(w);
        }
    }
    std::size_t size() const { return words_.size(); }
    const std::string& operator[](std::size_t n) const {
        static const std::string none;
        return n < words_.size() ? words_[n] : none;
    }
    // The number of words of `phrase` when the words from n on are its words; 0 otherwise.
    std::size_t phraseAt(std::size_t n, const std::vector<std::string>& phrase) const {
        for (std::size_t k = 0; k < phrase.size(); ++k) {
            if ((*this)[n + k] != phrase[k]) return 0;
        }
        return phrase.size();
    }
    double number(std::size_t n, const char* what) const {
        const std::string& w = (*this)[n];
        double v = 0;
        const auto r = std::from_chars(w.data(), w.data() + w.size(), v);
        if (r.ec != std::errc() || r.ptr != w.data() + w.size()) {
            throw SummaryFormatError(std::string("el resumen no tiene un número en ") + what);
        }
        return v;
    }
    long integer(std::size_t n, const char* what) const {
        const double v = number(n, what);
        if (v != std::floor(v)) {
            throw SummaryFormatError(std::string("el resumen no tiene un entero en ") + what);
        }
        return static_cast<long>(v);
    }

  private:
    std::vector<std::string> words_;
};

// The element named from word n on: "j DEL SUBSISTEMA i" (either case) as "i-j", or a key.
// Sets `next` to the word after it.
std::string elementAt(const Phrases& phrases, const Words& w, std::size_t n, std::size_t& next) {
    const long j = w.integer(n, "el número de un elemento");
    std::size_t k = w.phraseAt(n + 1, phrases.ofSubsystemInCapitals);
    if (!k) k = w.phraseAt(n + 1, phrases.ofSubsystem);
    if (k) {
        const long i = w.integer(n + 1 + k, "el número de un subsistema");
        next = n + 2 + k;
        return std::to_string(i) + "-" + std::to_string(j);
    }
    next = n + 1;
    return std::to_string(j);
}

}  // namespace

SimulatedSummary readSimulatedSummary(const std::string& bytes) {
    static const Phrases phrases;
    const Words w(bytes);
    SimulatedSummary s;
    bool haveMean = false, haveError = false, haveTrials = false;
    for (std::size_t n = 0; n < w.size(); ++n) {
        std::size_t k = 0;  // words of the phrase found at n
        if (!haveTrials && (k = w.phraseAt(n, phrases.trials))) {
            s.trials = w.integer(n + k, "el número de pruebas");
            haveTrials = true;
        } else if ((k = w.phraseAt(n, phrases.reliability))) {
            SimulatedSummary::Reliability r;
            r.t = w.number(n + k, "un tiempo de fiabilidad");
            const std::size_t unit = w.phraseAt(n + k + 1, phrases.timeUnit);
            const std::size_t is = unit ? w.phraseAt(n + k + 1 + unit, phrases.reliabilityIs) : 0;
            if (!is) throw SummaryFormatError("el resumen no tiene la fiabilidad de un tiempo");
            r.value = w.number(n + k + 1 + unit + is, "una fiabilidad");
            s.reliability.push_back(r);
        } else if ((k = w.phraseAt(n, phrases.meanLife))) {
            s.meanLife = w.number(n + k, "la vida media");
            haveMean = true;
        } else if (!haveError && (k = w.phraseAt(n, phrases.standardError))) {
            s.standardError = w.number(n + k, "el error estándar");
            haveError = true;
        } else if ((k = w.phraseAt(n, phrases.element)) && !w[n + k].empty() &&
                   std::isdigit(static_cast<unsigned char>(w[n + k][0]))) {
            std::size_t next = 0;
            const std::string label = elementAt(phrases, w, n + k, next);
            if (const std::size_t cause = w.phraseAt(next, phrases.cause)) {
                s.causes.push_back(
                    {label, w.integer(next + cause, "las veces que un elemento es causa")});
                n = next + cause;
            }
        } else if ((k = w.phraseAt(n, phrases.lifeWith))) {
            SimulatedSummary::Duplication d;
            std::size_t next = 0;
            d.label = elementAt(phrases, w, n + k, next);
            const bool withMean = w[next] == "ES";
            if (withMean) d.meanLife = w.number(next + 1, "la vida media duplicando");
            std::size_t m = next;
            while (m < w.size() && !w.phraseAt(m, phrases.gain)) ++m;
            d.gain = w.number(m + 1, "la mejora");
            const std::size_t deviation = w.phraseAt(m + 2, phrases.deviation);
            if (!deviation) {
                throw SummaryFormatError("el resumen no tiene la desviación de una duplicación");
            }
            d.standardError = w.number(m + 2 + deviation, "la desviación típica");
            if (!withMean) d.meanLife = s.meanLife + d.gain;
            s.duplications.push_back(d);
            n = m + 2 + deviation;
        } else if ((k = w.phraseAt(n, phrases.best))) {
            std::size_t next = 0;
            s.best.push_back(elementAt(phrases, w, n + k, next));
        } else if ((k = w.phraseAt(n, phrases.advisable))) {
            std::size_t next = 0;
            s.best.push_back(elementAt(phrases, w, n + k, next));
        }
    }
    if (!haveTrials || !haveMean || !haveError) {
        throw SummaryFormatError("el fichero no es un resumen de resultados completo");
    }
    return s;
}

}  // namespace farvik::analysis
