#!/usr/bin/env bash
# Builds both programs and every test with AddressSanitizer and UndefinedBehaviorSanitizer in
# ./build-asan and runs the tests: any memory error, leak or undefined behaviour fails them.
# Then the engine's tests under ThreadSanitizer (scripts/sanitize_threads.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFARVIK_SANITIZE=ON \
    -DFARVIK_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)"
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
scripts/sanitize_threads.sh
