#!/usr/bin/env bash
# Builds the engine and its tests with ThreadSanitizer in ./build-tsan (no front end, to
# keep it short) and runs the engine's tests with the trials on three threads, whatever
# the machine has: any data race fails them. The few long tests of single-threaded
# arithmetic (the edits of 10^8 numbers, the re-evaluations compared on their own, the
# mean of a million draws) start no thread and are left to the other builds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFARVIK_TSAN=ON -DFARVIK_GUI=OFF \
    -DFARVIK_BENCH=OFF >/dev/null
cmake --build build-tsan -j"$(nproc)" --target brenta engine_tests
LC_ALL=C.UTF-8 BRENTA_HILOS=3 TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    build-tsan/bin/engine_tests \
    --gtest_filter='-E15_9.*:IncrementalReevaluation.*:ParameterRules.MeanLifeIsTheMeanOfTheEnginesDraws'
