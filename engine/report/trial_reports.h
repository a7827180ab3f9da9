#pragma once

#include <string>

#include "first_trials.h"
#include "output_file.h"
#include "redundancy.h"
#include "reliability_query.h"
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
class TrialReports : public TrialHooks {
  public:
    TrialReports(const SystemData& s, ReliabilityQuery& query, TrialFiles& files)
        : query_(query), files_(files), vector_(s) {}

    void survival(double tsis) override { query_.countSurvivors(tsis); }
    void trialDone(std::int32_t k, const TrialState& st) override;
    void duplicateCell(std::int32_t k, int j, int i, double xd, const Table50<double>* work,
                       const double* workRows) override;

    const RunningMoments& life() const { return life_; }
    // The largest system time, starting from 0.
    double largest() const { return largest_; }
    const RedundancyStats& redundancy() const { return redundancy_; }

  private:
    ReliabilityQuery& query_;
    TrialFiles& files_;
    RunningMoments life_;
    double largest_ = 0;
    RedundancyStats redundancy_;
    TrialVectorText vector_;  // of the current trial, among the first 20
};

}  // namespace brenta
