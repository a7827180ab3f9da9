#!/usr/bin/env bash
# "¿Y si...?" benchmark: a Release build of what_if_bench, processor time per system of
# opening the panel and of one keystroke in it.
#   bench/what_if.sh [REPS]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DFARVIK_GUI=OFF -DFARVIK_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target what_if_bench >/dev/null
build-bench/bin/what_if_bench "${1:-5}"
