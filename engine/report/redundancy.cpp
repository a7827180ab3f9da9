#include "redundancy.h"

#include <string_view>
#include <vector>

#include "record_writer.h"
#include "summary.h"
#include "summary_phrases.h"

namespace brenta {
namespace {

const std::string kStars58(58, '*');
const std::string kStars73(73, '*');
using farvik::summary_phrases::kDeviation;
using farvik::summary_phrases::kLifeWith;
using farvik::summary_phrases::kOfSubsystemInCapitals;
constexpr const char* kIfDuplicated = "si se duplica el elemento";

// One reported duplication: the cell and what the report says of it.
struct Entry {
    int j;  // position (class 5: the element's key)
    int i;  // row (class 5: unused)
    double vmd;
    double ee;
    double gain;
};

std::vector<Entry> entries(const SystemData& s, const RedundancyStats& stats, double vmedia) {
    std::vector<Entry> list;
    auto add = [&](int number, int row, int j, int i) {
        RunningMoments m{stats.vmd(j, i), stats.vmd2(j, i)};
        list.push_back({number, row, m.mean, standardError(m, s.nsim), m.mean - vmedia});
    };
    if (s.kclase == farvik::kGeneralClass) {
        for (int key = 1; key <= s.ndim; ++key) {
            int m = 0, p = 0;
            if (firstCellOf(s, key, m, p)) add(key, 0, m, p);
        }
    } else {
        for (int i = 1; i <= s.nsub; ++i) {
            for (int j = 1; j <= s.nelsub[i]; ++j) add(j, i, j, i);
        }
    }
    return list;
}

double largestGain(const std::vector<Entry>& list) {
    double best = list.front().gain;
    for (const Entry& e : list) {
        if (e.gain > best) best = e.gain;
    }
    return best;
}

void appendInterval(RecordWriter& w, const char* text, const Entry& best) {
    w.text(text).real(best.vmd - 1.96 * best.ee).real(best.vmd + 1.96 * best.ee).end();
}

bool withinInterval(const Entry& e, const Entry& best) {
    const double lower = best.vmd - 1.96 * best.ee;
    const double upper = best.vmd + 1.96 * best.ee;
    return e.vmd >= lower && e.vmd <= upper;
}

}  // namespace

void appendRedundancyReport(std::string& out, const SystemData& s, const RedundancyStats& stats,
                            double vmedia) {
    const std::vector<Entry> list = entries(s, stats, vmedia);
    if (list.empty()) return;
    RecordWriter w(out, RecordTarget::File);
    for (const Entry& e : list) {
        if (s.kclase == farvik::kSeriesOfParallelClass) {
            w.text(kLifeWith)
                .integer(e.j)
                .text(kOfSubsystemInCapitals)
                .integer(e.i)
                .text(" ES")
                .real(e.vmd)
                .end();
        } else if (s.kclase == farvik::kParallelOfSeriesClass) {
            // Here without the blank in front, as this record has always been written.
            w.text(kLifeWith)
                .integer(e.j)
                .text(std::string_view(farvik::summary_phrases::kOfSubsystem).substr(1))
                .integer(e.i)
                .end();
        } else {
            w.text(kLifeWith).integer(e.j).text("   ES").real(e.vmd).end();
        }
        w.text(farvik::summary_phrases::kGain).real(e.gain).end();
        w.text(kDeviation).real(e.ee).end();
        w.end();
        w.end();
        w.end();
    }

    const double mejor = largestGain(list);
    w.line(kStars58);
    std::size_t best = 0;
    bool named = false;
    for (std::size_t n = 0; n < list.size(); ++n) {
        const Entry& e = list[n];
        if (e.gain != mejor || (named && s.kclase == farvik::kSeriesOfParallelClass)) continue;
        if (s.kclase == farvik::kSeriesOfParallelClass) {
            w.text(farvik::summary_phrases::kBest)
                .integer(e.j)
                .text(kOfSubsystemInCapitals)
                .integer(e.i)
                .end();
        } else if (s.kclase == farvik::kParallelOfSeriesClass) {
            w.text(farvik::summary_phrases::kAdvisable)
                .integer(e.j)
                .text(kOfSubsystemInCapitals)
                .integer(e.i)
                .end();
        } else {
            w.text(farvik::summary_phrases::kAdvisable).integer(e.j).end();
        }
        best = n;
        named = true;
    }
    w.line(kStars58);

    if (s.kclase == farvik::kSeriesOfParallelClass) {
        appendInterval(w,
                       "el intervalo de confianza al 95% para la vida media del sistema si se "
                       "duplica este elemento es: ",
                       list[best]);
    } else if (s.kclase == farvik::kParallelOfSeriesClass) {
        appendInterval(w,
                       "el intervalo de confianza al 95% para la vida media de este elemento es: ",
                       list[best]);
        w.end();
    } else {
        appendInterval(w,
                       "el intervalo de confianza al 95% para la vida media\tcuando se duplica "
                       "este elemento es: ",
                       list[best]);
        w.end();
    }
    for (std::size_t n = 0; n < list.size(); ++n) {
        const Entry& e = list[n];
        if (n == best || !withinInterval(e, list[best])) continue;
        if (s.kclase == farvik::kGeneralClass) {
            w.text(kIfDuplicated).integer(e.j).text("     la diferencia no es significativa").end();
        } else {
            w.text(kIfDuplicated)
                .integer(e.j)
                .text(kOfSubsystemInCapitals)
                .integer(e.i)
                .text(" la diferencia no es significativa")
                .end();
        }
    }
    w.line(kStars73);
}

}  // namespace brenta
