#pragma once

#include "aleat.h"
#include "reevaluation.h"
#include "system_data.h"
#include "trial.h"

namespace brenta {

class TrialReports;

// The trials of a run on several threads, with exactly the results and bytes of the loop
// on one (simulateWith). One stage at a time walks the random stream and keeps each
// trial's raw values (it alone decides what is drawn again); any thread turns a block of
// trials into times, combines them, counts survivors and causes, edits the block's
// listing lines and works out the duplications; one stage at a time takes the blocks in
// trial order and adds their figures to the running means, the listing and its counts,
// so that every sum is added in the order of the single loop. fallo.txt, which only the
// first trials fill, is written by one thread beside the others; so is redun.TXT, whose
// rows of each first trial, once the place of each is known, any thread writes at their
// place. Memory stays a few blocks per thread, whatever the number of trials.
// Returns false, having done nothing, for a system it does not take (see TrialDraws).
bool simulateInPipeline(const SystemData& s, Generator& g, TrialState& st, Reevaluation mode,
                        int threads, TrialReports& reports);

}  // namespace brenta
