#pragma once

#include "aleat.h"
#include "reevaluation.h"
#include "system_data.h"
#include "trial.h"

namespace brenta {

// Runs the nsim trials of a system: draw, combine, then the reports' per-trial steps and,
// with the redundancy study, the re-evaluation with each element duplicated.
void simulate(const SystemData& s, Generator& g, TrialState& st, TrialHooks& hooks,
              Reevaluation mode = Reevaluation::Incremental);

}  // namespace brenta
