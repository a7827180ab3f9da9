#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for a number of inputs, starting from the seed corpus of examples/.
#   tests/fuzz/run.sh [inputs per target] [seconds per target] [target...]
# CI uses a short budget; by hand, give a million inputs or more.
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-20000}
seconds=${2:-600}
shift $(($# < 2 ? $# : 2))
scripts/deps.sh clang libclang-rt-14-dev
# The sanitizer build's suppressions hold for the fuzz targets too.
export UBSAN_OPTIONS=print_stacktrace=1:suppressions=$PWD/tests/sanitizers/ubsan.supp
gui=ON
dpkg-query -W -f='${Status}' qt6-base-dev 2>/dev/null | grep -q 'install ok' || gui=OFF

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFARVIK_FUZZ=ON -DFARVIK_TESTS=OFF -DFARVIK_BENCH=OFF -DFARVIK_GUI=$gui >/dev/null
# The targets of the front-end stand indented, inside if(FARVIK_GUI).
indent=""
[ "$gui" = ON ] && indent=" *"
targets=$(sed -n "s/^${indent}farvik_add_fuzzer(\([a-z_]*\).*/\1/p" tests/fuzz/CMakeLists.txt)
# Named targets only, when given.
if [ $# -gt 0 ]; then targets="$*"; fi
cmake --build build-fuzz -j"$(nproc)" --target $targets >/dev/null

status=0
for t in $targets; do
    corpus=build-fuzz/corpus/$t
    mkdir -p "$corpus"
    seeds=tests/fuzz/seeds/$t
    [ -d "$seeds" ] || seeds=""
    case $t in
        *datafile*) cp examples/*.DAT "$corpus"/ ;;
        *table*) cp tests/fuzz/seeds/tables/* "$corpus"/ 2>/dev/null || true ;;
    esac
    echo "== $t: hasta $runs entradas"
    log=build-fuzz/$t.log
    if ! QT_QPA_PLATFORM=offscreen build-fuzz/bin/$t -runs="$runs" -max_total_time="$seconds" \
        -max_len=16384 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" $seeds \
        > "$log" 2>&1; then
        tail -n 60 "$log"
        echo "FALLO en $t (entrada guardada por libFuzzer en el directorio actual)"
        status=1
    fi
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$log" || true
done
exit $status
