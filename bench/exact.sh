#!/usr/bin/env bash
# Exact computation benchmark: a Release build of exact_bench, processor time of each step.
#   bench/exact.sh [REPS [sifting]]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DFARVIK_GUI=OFF -DFARVIK_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target exact_bench >/dev/null
build-bench/bin/exact_bench "${1:-5}" "${2:-}"
