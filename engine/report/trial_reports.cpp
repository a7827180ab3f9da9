#include "trial_reports.h"

#include <cstring>

#include "first_trials.h"
#include "number_format.h"
#include "simulation.h"
#include "summary.h"
#include "trial_pipeline.h"

namespace brenta {

TrialReports::TrialReports(const SystemData& s, ReliabilityQuery& query, TrialFiles& files)
    : query_(query), files_(files), vector_(s) {
    if (s.kclase != farvik::kGeneralClass) {
        reported_.v.fill(1);
        return;
    }
    for (int key = 1; key <= s.ndim; ++key) {
        int m = 0, p = 0;
        if (!firstCellOf(s, key, m, p)) continue;
        firstCells_.push_back({key, m, p});
        reported_(m, p) = 1;
    }
}

void TrialReports::simulate(const SystemData& s, Generator& g, TrialState& st, Reevaluation mode,
                            int threads) {
    if (threads > 1 && simulateInPipeline(s, g, st, mode, threads, *this)) return;
    simulateWith(s, g, st, *this, mode);
}

void TrialReports::trialDone(std::int32_t k, const TrialState& st) {
    if (k <= kFirstTrials) {
        vector_.build(st.tel, st.tsub.data(), st.tsis);
        writeFalloRow(files_.fallo, vector_);
    }
    heldBack_[heldCount_++] = st.tsis;
    if (heldCount_ == kHeldBack) writeListing();
    // farvik shows how far a run is from the listing's size: every 256 trials the listing
    // reaches the file if it has waited a fifth of a second.
    static_assert(256 % kHeldBack == 0, "the listing is written out before it may be flushed");
    if ((k & 255) == 0) files_.listasis.flushWhenOlderThan(200);
    life_.add(k, st.tsis);
    largest_ = st.tsis > largest_ ? st.tsis : largest_;
}

void TrialReports::trialsEnded() {
    writeListing();
    // Nothing written from the text of the last first trial may wait beyond the trials.
    vector_.releaseShared();
}

void TrialReports::writeListing() {
    constexpr std::size_t kLongestLine = 24;  // four blanks, a signed value, the line end
    char* p = files_.listasis.room(kHeldBack * kLongestLine);
    E15_9Digits written[kHeldBack];
    files_.listasis.commit(writeListingLines(p, heldBack_, heldCount_, written));
    // When the table's width changes, the counts read back only the values counted so far.
    failures_.addAll(heldBack_, written, heldCount_, files_.listasis);
    heldCount_ = 0;
}

void TrialReports::duplicateCell(std::int32_t k, int j, int i, double xd,
                                 const Table50<double>* work, const double* workRows) {
    if (work) writeRedunRow(files_.redun, k, j, i, vector_, *work, workRows, xd);
    if (reported_(j, i)) redundancy_.add(k, j, i, xd);
}

void TrialReports::duplicateCellChange(const TrialState&, std::int32_t k, int j, int i, double xd,
                                       const DuplicateChange& change) {
    writeRedunRow(files_.redun, k, j, i, vector_, change, xd);
    if (reported_(j, i)) redundancy_.add(k, j, i, xd);
}

void TrialReports::duplicateRow(std::int32_t k, int i, const double* xd, int n) {
    redundancy_.addRow(k, i, xd, n);
}

void TrialReports::duplicateElements(const SystemData&, std::int32_t k, const double* keyTime) {
    for (const FirstCell& c : firstCells_) redundancy_.add(k, c.m, c.p, keyTime[c.key]);
}

}  // namespace brenta
