#include "simulation.h"

namespace brenta {

void simulate(const SystemData& s, Generator& g, TrialState& st, TrialHooks& hooks,
              Reevaluation mode) {
    simulateWith(s, g, st, hooks, mode);
}

}  // namespace brenta
