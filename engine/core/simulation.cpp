#include "simulation.h"

namespace brenta {

void simulate(const SystemData& s, Generator& g, TrialState& st, TrialHooks& hooks,
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
}

}  // namespace brenta
