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

// The same loop for hooks of a known type: their per-trial steps are then called directly,
// and inlined where their definitions are in sight, instead of through the table of
// virtual calls twice a trial.
template <typename Hooks>
void simulateWith(const SystemData& s, Generator& g, TrialState& st, Hooks& hooks,
                  Reevaluation mode) {
    IncrementalReevaluation incremental(s);
    for (std::int32_t k = 1; k <= s.nsim; ++k) {
        drawTrial(g, s, st);
        st.tsis = combine(s, st.tel, st.tsub.data());
        hooks.survival(st.tsis);
        contar_causas(st.tel, st.tsis, s, st.ncausa);
        hooks.trialDone(k, st);
        if (s.redundancy()) {
            if (mode == Reevaluation::Direct) {
                reevaluateDirect(s, st, k, hooks);
            } else {
                incremental(s, st, k, hooks);
            }
        }
        if (k == s.nsim) break;  // k must not overflow at nsim = 2^31 - 1
    }
    hooks.trialsEnded();
}

}  // namespace brenta
