#pragma once

namespace brenta {

// The most threads a run uses: each one keeps a few blocks of trials in memory.
constexpr int kMostThreads = 64;

// The processors this process may run on: the machine's, fewer when its processor
// affinity allows fewer; at least 1.
int availableProcessors();

// The threads of a run: `requested` when above 0; else the environment variable
// BRENTA_HILOS when it holds a whole number from 1 up (1: the trials on one thread, as
// always); else availableProcessors(). At most kMostThreads.
int runThreads(int requested);

}  // namespace brenta
