#!/usr/bin/env bash
# Runs two brenta programs on the same inputs and compares every result file, the console,
# the error output and the exit status byte for byte.
#   bench/compare.sh OLD NEW [COUNT [TRIALS...]]
# Inputs: the examples; COUNT random systems of every structure code (default 200); the
# benchmark cases S10, R1000 and G50 at each number of TRIALS (default 500 5000; "none" for
# none). Each input runs with the old program, then the new one in an empty folder and
# once more in the folder that holds the new results (a rerun replaces them). A run refused
# by the reader (status 10 to 23) does not start: its console, error output and status are
# compared, and the new program must leave the folder as it found it (the old one made
# empty result files first).
# The systems come from system_generator beside NEW (or $SYSTEM_GENERATOR).
# Exit status: 0 when everything matched, 1 at the first difference (named on stderr).
set -euo pipefail
if [ $# -lt 2 ]; then
    echo "uso: $0 BRENTA_ANTIGUO BRENTA_NUEVO [N [PRUEBAS...]]" >&2
    exit 2
fi
old=$(realpath "$1")
new=$(realpath "$2")
count=${3:-200}
shift $(($# < 3 ? $# : 3))
trials=("$@")
[ ${#trials[@]} -eq 0 ] && trials=(500 5000)
[ "${trials[0]}" = none ] && trials=()
generator=${SYSTEM_GENERATOR:-$(dirname "$new")/system_generator}
examples="$(cd "$(dirname "$0")/.." && pwd)/examples"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/inputs" "$work/run" "$work/old"
inputs=$work/inputs

for f in "$examples"/*.DAT; do
    name=$(basename "$f" .DAT)
    cp "$f" "$inputs/$name.DAT"
    printf '1\n2\n100\n500\n' >"$inputs/$name.in"
done
[ "$count" -gt 0 ] && "$generator" "$inputs" random "$count" 15
for n in "${trials[@]}"; do
    for c in S10 R1000 G50; do "$generator" "$inputs" case "$c" "$n"; done
done

results=(fallo.txt redun.TXT resumen.TXT listasis.txt tablafia.txt)

# One run in $work/run: the console, error output and status land beside the result files.
run() {
    local program=$1 name=$2
    (
        cd "$work/run"
        set +e
        "$program" "$name" <"$inputs/$name.in" >"$work/run.out" 2>"$work/run.err"
        echo $? >"$work/run.status"
    )
}

differs() {
    local name=$1 what=$2
    for f in "${results[@]}"; do
        if [ -e "$work/old/$f" ] || [ -e "$work/run/$f" ]; then
            if ! cmp -s "$work/old/$f" "$work/run/$f"; then
                echo "DIFERENTE: $name ($what): $f" >&2
                return 0
            fi
        fi
    done
    for f in out err status; do
        if ! cmp -s "$work/old.$f" "$work/run.$f"; then
            echo "DIFERENTE: $name ($what): consola ($f)" >&2
            return 0
        fi
    done
    if [ "$(cd "$work/old" && ls)" != "$(cd "$work/run" && ls)" ]; then
        echo "DIFERENTE: $name ($what): los ficheros de la carpeta" >&2
        return 0
    fi
    return 1
}

# A refused run: the same words and status, and nothing in the folder but the data file.
refused_differs() {
    local name=$1 what=$2
    for f in out err status; do
        if ! cmp -s "$work/old.$f" "$work/run.$f"; then
            echo "DIFERENTE: $name ($what): consola ($f)" >&2
            return 0
        fi
    done
    if [ "$(cd "$work/run" && ls)" != "$name.DAT" ]; then
        echo "DIFERENTE: $name ($what): una ejecución rechazada ha tocado la carpeta" >&2
        return 0
    fi
    return 1
}

compared=0
for data in "$inputs"/*.DAT; do
    name=$(basename "$data" .DAT)
    rm -rf "$work/run" "$work/old"
    mkdir "$work/run"
    cp "$data" "$work/run/"
    run "$old" "$name"
    mv "$work/run" "$work/old"
    for f in out err status; do mv "$work/run.$f" "$work/old.$f"; done
    mkdir "$work/run"
    cp "$data" "$work/run/"
    check=differs
    status=$(cat "$work/old.status")
    if [ "$status" -ge 10 ] && [ "$status" -le 23 ]; then check=refused_differs; fi
    run "$new" "$name"
    if $check "$name" "carpeta vacía"; then exit 1; fi
    run "$new" "$name"
    if $check "$name" "repetida en la misma carpeta"; then exit 1; fi
    compared=$((compared + 1))
done
echo "iguales: $compared entradas (ejemplos, $count sistemas por código, casos: ${trials[*]:-ninguno}), cada una en carpeta vacía y repetida"
