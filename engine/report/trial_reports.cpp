#include "trial_reports.h"

#include <cstring>

#include "first_trials.h"
#include "number_format.h"

namespace brenta {

void TrialReports::trialDone(std::int32_t k, const TrialState& st) {
    if (k <= kFirstTrials) {
        vector_.build(st.tel, st.tsub.data(), st.tsis);
        writeFalloRow(files_.fallo, vector_);
    }
    char* p = files_.listasis.room(32);
    std::memcpy(p, "    ", 4);
    p = writeE15_9(p + 4, st.tsis);
    *p++ = '\r';
    *p++ = '\n';
    files_.listasis.commit(p);
    // farvik shows how far a run is from the listing's size: every 256 trials the listing
    // reaches the file if it has waited a fifth of a second.
    if ((k & 255) == 0) files_.listasis.flushWhenOlderThan(200);
    life_.add(k, st.tsis);
    largest_ = st.tsis > largest_ ? st.tsis : largest_;
}

void TrialReports::duplicateCell(std::int32_t k, int j, int i, double xd,
                                 const Table50<double>* work, const double* workRows) {
    if (work) writeRedunRow(files_.redun, k, j, i, vector_, *work, workRows, xd);
    redundancy_.add(k, j, i, xd);
}

}  // namespace brenta
