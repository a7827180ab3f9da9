#!/usr/bin/env bash
# Engine benchmark: a Release build, then each case with the incremental re-evaluation and
# with the literal (direct) one, and the speed-up measured in this same run.
#   bench/run.sh            full sizes (S10: 10^7 trials; R1000, G50: 10^4)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DFARVIK_GUI=OFF -DFARVIK_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target brenta_bench >/dev/null
bench=build-bench/bin/brenta_bench

rate() { awk '{print $6}' <<<"$1"; }

echo "caso   modo            pruebas  procesador          velocidad                      memoria"
$bench S10 incremental 1000000
$bench S10 incremental
for c in R1000 G50; do
    fast=$($bench $c incremental)
    # The literal re-evaluation is slow: a tenth of the trials gives its rate.
    slow=$($bench $c direct 1000)
    echo "$fast"
    echo "$slow"
    awk -v a="$(rate "$fast")" -v b="$(rate "$slow")" -v c="$c" \
        'BEGIN { printf "%-6s aceleración %.1f veces\n", c, a / b }'
done
