#include "trial_reports.h"

#include "first_trials.h"
#include "number_format.h"

namespace brenta {

void TrialReports::trialDone(std::int32_t k, const TrialState& st) {
    if (k <= kFirstTrials) {
        appendFalloRow(falloBuffer_, s_, st.tel, st.tsub.data(), st.tsis);
        files_.fallo.drain(falloBuffer_);
    }
    listingBuffer_ += "    ";
    appendE15_9(listingBuffer_, st.tsis);
    listingBuffer_ += "\r\n";
    if (listingBuffer_.size() >= kFlushAt) files_.listasis.drain(listingBuffer_);
    life_.add(k, st.tsis);
}

void TrialReports::duplicateCell(std::int32_t k, int j, int i, double xd,
                                 const Table50<double>* work, const double* workRows) {
    if (k <= kFirstTrials && work) {
        appendRedunRow(redunBuffer_, s_, k, j, i, *work, workRows, xd);
        if (redunBuffer_.size() >= kFlushAt) files_.redun.drain(redunBuffer_);
    }
    redundancy_.add(k, j, i, xd);
}

void TrialReports::flush() {
    files_.fallo.drain(falloBuffer_);
    files_.redun.drain(redunBuffer_);
    files_.listasis.drain(listingBuffer_);
}

}  // namespace brenta
