#!/usr/bin/env bash
# Engine benchmark: a Release build, then each case with the incremental re-evaluation and
# with the literal (direct) one, and the speed-up measured in this same run.
#   bench/run.sh            full sizes (S10: 10^7 trials; R1000, G50: 10^4); about 3 minutes,
#                           most of them in the literal re-evaluation.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DFARVIK_GUI=OFF -DFARVIK_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target brenta_bench reevaluation_bench >/dev/null
bench=build-bench/bin/brenta_bench

rate() { awk '{print $6}' <<<"$1"; }

echo "caso   modo            pruebas  procesador          velocidad                      memoria"
$bench S10 incremental 1000000
$bench S10 incremental
for c in R1000 G50; do
    # Both with the same number of trials, so that both pay the same fixed costs.
    fast=$($bench $c incremental)
    slow=$($bench $c direct)
    echo "$fast"
    echo "$slow"
    awk -v a="$(rate "$fast")" -v b="$(rate "$slow")" -v c="$c" \
        'BEGIN { printf "%-6s aceleración %.1f veces\n", c, a / b }'
done

# The re-evaluation step alone (no draws, no files): the literal against the incremental.
if [ -x build-bench/bin/reevaluation_bench ]; then
    echo
    echo "== re-evaluación sola, por prueba"
    build-bench/bin/reevaluation_bench --benchmark_format=csv 2>/dev/null |
        awk -F, '/^"(direct|incremental)\// {
            split($1, n, "/"); gsub(/"/, "", n[1]); gsub(/"/, "", n[2]);
            t[n[1] "," n[2]] = $4; printf "%-12s %-6s %10.2f us\n", n[1], n[2], $4 }
            END { for (c in t) { split(c, p, ","); if (p[1] == "direct")
                printf "%-6s aceleración de la re-evaluación %.0f veces\n", p[2], t[c] / t["incremental," p[2]] } }'
fi
