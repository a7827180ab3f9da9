#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "first_trials.h"
#include "output_file.h"
#include "redundancy.h"
#include "reevaluation.h"
#include "reliability_query.h"
#include "reliability_table.h"
#include "running_moments.h"
#include "trial.h"

namespace brenta {

// The result files that the trials write as they run.
struct TrialFiles {
    OutputFile fallo;
    OutputFile redun;
    OutputFile listasis;
};

// The per-trial steps of the reports: survival counts, first-trials rows, the listing line
// and running moments, and the statistics of the duplications.
class TrialReports final : public TrialHooks {
  public:
    TrialReports(const SystemData& s, ReliabilityQuery& query, TrialFiles& files);

    // Runs the trials with these reports (simulate() with their steps called directly).
    // With more than one thread the trials go through the pipeline of trial_pipeline.cpp,
    // which gives the same results and bytes.
    void simulate(const SystemData& s, Generator& g, TrialState& st, Reevaluation mode,
                  int threads = 1);

    void survival(double tsis) override { query_.countSurvivors(tsis); }
    void trialDone(std::int32_t k, const TrialState& st) override;
    void duplicateCell(std::int32_t k, int j, int i, double xd, const Table50<double>* work,
                       const double* workRows) override;
    void duplicateRow(std::int32_t k, int i, const double* xd, int n) override;
    void duplicateElements(const SystemData& s, std::int32_t k, const double* keyTime) override;
    void duplicateCellChange(const TrialState& st, std::int32_t k, int j, int i, double xd,
                             const DuplicateChange& change) override;
    void trialsEnded() override;

    const RunningMoments& life() const { return life_; }
    // The largest system time, starting from 0.
    double largest() const { return largest_; }
    const RedundancyStats& redundancy() const { return redundancy_; }
    // The reliability table's counts, kept as the listing is written.
    const FailureCounts& failures() const { return failures_; }

  private:
    friend class TrialPipeline;

    // The listing lines of the times held back, in trial order, and their counts.
    void writeListing();

    ReliabilityQuery& query_;
    TrialFiles& files_;
    RunningMoments life_;
    double largest_ = 0;
    RedundancyStats redundancy_;
    FailureCounts failures_;
    TrialVectorText vector_;  // of the current trial, among the first 20
    // The system times whose listing lines are still to be written. The edits of a few
    // dozen independent times overlap in the processor; one at a time, each waits for the
    // one before.
    static constexpr int kHeldBack = 32;
    double heldBack_[kHeldBack];
    int heldCount_ = 0;
    // Class 5: the report gives each element's figures at its first cell only, so only
    // those cells are counted; reported_ marks them (every cell in classes 3 and 4).
    struct FirstCell {
        int key, m, p;
    };
    std::vector<FirstCell> firstCells_;
    Table50<std::uint8_t> reported_;
};

}  // namespace brenta
