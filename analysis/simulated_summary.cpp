#include "simulated_summary.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <sstream>

namespace farvik::analysis {
namespace {

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
    // Whether the words from n on are these.
    bool at(std::size_t n, std::initializer_list<const char*> expected) const {
        for (const char* e : expected) {
            if ((*this)[n++] != e) return false;
        }
        return true;
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
std::string elementAt(const Words& w, std::size_t n, std::size_t& next) {
    const long j = w.integer(n, "el número de un elemento");
    if (w.at(n + 1, {"DEL", "SUBSISTEMA"}) || w.at(n + 1, {"del", "subsistema"})) {
        const long i = w.integer(n + 3, "el número de un subsistema");
        next = n + 4;
        return std::to_string(i) + "-" + std::to_string(j);
    }
    next = n + 1;
    return std::to_string(j);
}

}  // namespace

SimulatedSummary readSimulatedSummary(const std::string& bytes) {
    const Words w(bytes);
    SimulatedSummary s;
    bool haveMean = false, haveError = false, haveTrials = false;
    for (std::size_t n = 0; n < w.size(); ++n) {
        if (!haveTrials && w.at(n, {"RESULTADOS", "OBTENIDOS", "CON"})) {
            s.trials = w.integer(n + 3, "el número de pruebas");
            haveTrials = true;
        } else if (w.at(n, {"AL", "MENOS", "DURANTE"})) {
            SimulatedSummary::Reliability r;
            r.t = w.number(n + 3, "un tiempo de fiabilidad");
            if (!w.at(n + 4, {"U.T", "ES"})) {
                throw SummaryFormatError("el resumen no tiene la fiabilidad de un tiempo");
            }
            r.value = w.number(n + 6, "una fiabilidad");
            s.reliability.push_back(r);
        } else if (w.at(n, {"(sin", "redundancia)", "="})) {
            s.meanLife = w.number(n + 3, "la vida media");
            haveMean = true;
        } else if (!haveError && w.at(n, {"error", "estandar", "="})) {
            s.standardError = w.number(n + 3, "el error estándar");
            haveError = true;
        } else if (w.at(n, {"el", "elemento"}) && !w[n + 2].empty() &&
                   std::isdigit(static_cast<unsigned char>(w[n + 2][0]))) {
            std::size_t next = 0;
            const std::string label = elementAt(w, n + 2, next);
            if (w.at(next, {"es", "causa", "inmediata", "del", "fallo", "del", "sistema"})) {
                s.causes.push_back(
                    {label, w.integer(next + 7, "las veces que un elemento es causa")});
                n = next + 7;
            }
        } else if (w.at(n, {"LA", "VIDA", "MEDIA", "DUPLICANDO", "EL", "ELEMENTO"})) {
            SimulatedSummary::Duplication d;
            std::size_t next = 0;
            d.label = elementAt(w, n + 6, next);
            const bool withMean = w[next] == "ES";
            if (withMean) d.meanLife = w.number(next + 1, "la vida media duplicando");
            std::size_t m = next;
            while (m < w.size() && w[m] != "mejora") ++m;
            d.gain = w.number(m + 1, "la mejora");
            // "la desviación tipica es": the accented word is not ASCII; "tipica es" is.
            if (!w.at(m + 2, {"la"}) || !w.at(m + 4, {"tipica", "es"})) {
                throw SummaryFormatError("el resumen no tiene la desviación de una duplicación");
            }
            d.standardError = w.number(m + 6, "la desviación típica");
            if (!withMean) d.meanLife = s.meanLife + d.gain;
            s.duplications.push_back(d);
            n = m + 6;
        } else if (w.at(n, {"EL", "MEJOR", "RESULTADO", "SE", "OBTIENE", "DUPLICANDO", "EL",
                            "ELEMENTO"})) {
            std::size_t next = 0;
            s.best.push_back(elementAt(w, n + 8, next));
        } else if (w.at(n, {"CONVIENE", "DUPLICAR", "EL", "ELEMENTO"})) {
            std::size_t next = 0;
            s.best.push_back(elementAt(w, n + 4, next));
        }
    }
    if (!haveTrials || !haveMean || !haveError) {
        throw SummaryFormatError("el fichero no es un resumen de resultados completo");
    }
    return s;
}

}  // namespace farvik::analysis
