#!/usr/bin/env bash
# Compares the engine built in ./build with the engine of an older commit, byte for byte,
# with bench/compare.sh: the result files, the console and the exit status must not change.
#   scripts/compare_baseline.sh [COUNT [TRIALS...]]   (defaults: those of bench/compare.sh)
# The older engine is built from $BASELINE_COMMIT (default: the last commit before the
# engine's speed work) in build-baseline/. A clone without that commit (a shallow one)
# skips the comparison and says so; the tests that compare the incremental re-evaluation
# with the literal one still run with the others.
set -euo pipefail
cd "$(dirname "$0")/.."
commit=${BASELINE_COMMIT:-ae77dd29c8d6cfb3b67a8ed8bee673e5a651efeb}
if ! git cat-file -e "$commit^{commit}" 2>/dev/null; then
    echo "compare_baseline: no está el commit $commit (¿clon parcial?): comparación omitida"
    exit 0
fi
if [ ! -x build/bin/brenta ] || [ ! -x build/bin/system_generator ]; then
    echo "compare_baseline: falta build/bin/brenta o build/bin/system_generator (scripts/build.sh)" >&2
    exit 1
fi
src=build-baseline/src
if [ "$(cat build-baseline/commit 2>/dev/null)" != "$commit" ]; then
    rm -rf build-baseline
    mkdir -p "$src"
    git archive "$commit" | tar -x -C "$src"
    echo "$commit" >build-baseline/commit
fi
cmake -S "$src" -B build-baseline/build -DCMAKE_BUILD_TYPE=Release -DFARVIK_GUI=OFF \
    -DFARVIK_TESTS=OFF -DFARVIK_BENCH=OFF >/dev/null
cmake --build build-baseline/build -j"$(nproc)" --target brenta >/dev/null
bench/compare.sh build-baseline/build/bin/brenta build/bin/brenta "$@"
