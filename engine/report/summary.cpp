#include "summary.h"

#include "record_writer.h"
#include "summary_phrases.h"

namespace brenta {
namespace {

namespace phrases = farvik::summary_phrases;

const std::string kStars58(58, '*');

}  // namespace

std::string systemKindText(std::int32_t itipo) {
    static const char* const kKinds[] = {" sistema en serie", " sistema en paralelo",
                                         " sistema serie-paralelo", " sistema paralelo-serie",
                                         " sistema general"};
    std::string text = itipo >= 1 && itipo <= 5 ? kKinds[itipo - 1] : "";
    text.resize(26, ' ');
    return text;
}

void appendSummaryHead(std::string& out, std::ostream& console, const SystemData& s,
                       const ReliabilityQuery& q, const RunningMoments& life) {
    RecordWriter w(out, RecordTarget::File);
    w.line(kStars58);
    w.line(phrases::kTrials);
    w.integer(s.nsim).text("  simulaciones de un ").text(systemKindText(s.itipo)).end();
    w.line(kStars58);
    w.line(" ");
    if (q.wanted()) {
        w.line(kStars58);
        for (int i = 1; i <= q.nval; ++i) {
            const double reliability = static_cast<double>(q.nsup[i]) / s.nsim;
            w.text(phrases::kReliability)
                .real(q.tval[i])
                .text(phrases::kTimeUnit)
                .text(phrases::kReliabilityIs)
                .real(reliability)
                .end();
        }
        w.line(kStars58);
        console << '\n';
    }
    w.line(kStars58);
    w.text(phrases::kMeanLife).real(life.mean).end();
    w.text(phrases::kStandardError).real(standardError(life, s.nsim)).end();
    w.line(kStars58);
    w.end();
}

bool firstCellOf(const SystemData& s, int key, int& m, int& p) {
    for (p = 1; p <= s.ncam; ++p) {
        for (m = 1; m <= s.nelcam[p]; ++m) {
            if (s.icam(m, p) == key) return true;
        }
    }
    return false;
}

void appendCauses(std::string& out, const SystemData& s, const Table50<std::int32_t>& ncausa) {
    RecordWriter w(out, RecordTarget::File);
    auto causeRecord = [&w](std::int32_t count) {
        w.text(phrases::kCause).integer(count).text(phrases::kTimes).end();
        w.end();
    };
    if (s.kclase == farvik::kGeneralClass) {
        for (int key = 1; key <= s.ndim; ++key) {
            int m = 0, p = 0;
            if (!firstCellOf(s, key, m, p)) continue;
            w.text(phrases::kElement).integer(key).end();
            causeRecord(ncausa(m, p));
        }
    } else {
        for (int i = 1; i <= s.nsub; ++i) {
            for (int j = 1; j <= s.nelsub[i]; ++j) {
                w.text(phrases::kElement).integer(j).text(phrases::kOfSubsystem).integer(i).end();
                causeRecord(ncausa(j, i));
            }
        }
    }
    w.line(kStars58);
    w.end();
}

}  // namespace brenta
