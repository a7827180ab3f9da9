#!/usr/bin/env bash
# Engine benchmark: the real brenta against its floor (brenta_floor: the same draws, the
# same bytes written in large blocks, nothing else), on three generated systems at two sizes,
# on one thread (BRENTA_HILOS=1); then the wall time on every core against one thread
# ($HILOS threads, default all the processors), and peak memory on 1, 2, 3 and 8 threads.
#   bench/run.sh [OLD_BRENTA]   with a second program (an older build), its figures too
#   bench/run.sh --literal      also the literal re-evaluation against the incremental one
# Processor time (user + system) of each whole process, best of $REPS runs (default 5): the
# machine is shared, and this is the figure other work disturbs least. Each run starts in a
# folder without results, except the reruns, which find the results of the run before.
set -euo pipefail
cd "$(dirname "$0")/.."
literal=0
old=
for a in "$@"; do
    case $a in
    --literal) literal=1 ;;
    *) old=$(realpath "$a") ;;
    esac
done
reps=${REPS:-5}
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DFARVIK_GUI=OFF -DFARVIK_TESTS=OFF >/dev/null
targets=(brenta brenta_floor cpu_time system_generator pipeline_stages)
[ $literal = 1 ] && targets+=(brenta_bench reevaluation_bench)
cmake --build build-bench -j2 --target "${targets[@]}" >/dev/null
bin=$(pwd)/build-bench/bin

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
results=(fallo.txt redun.TXT resumen.TXT listasis.txt tablafia.txt)

# best PROGRAM FOLDER NAME [rerun]: best processor time of $reps runs and the largest peak
# memory, as "seconds KiB".
best() {
    local program=$1 folder=$2 name=$3 rerun=${4:-}
    local t=inf kib=0 cpu rss status
    for _ in $(seq "$reps"); do
        (cd "$folder" && rm -f "${results[@]}")
        if [ -n "$rerun" ]; then (cd "$folder" && "$program" "$name" <"$name.in" >/dev/null); fi
        (cd "$folder" && BRENTA_HILOS=1 "$bin/cpu_time" "$work/t" "$program" "$name" <"$name.in" >/dev/null)
        read -r cpu rss status _ <"$work/t"
        [ "$status" = 0 ] || { echo "$program $name: estado $status" >&2; exit 1; }
        t=$(awk -v a="$t" -v b="$cpu" 'BEGIN { print (a == "inf" || b < a) ? b : a }')
        [ "$rss" -gt "$kib" ] && kib=$rss
    done
    echo "$t $kib"
}

# floor FOLDER NAME: best processor time of the floor of the run left in FOLDER.
floor() {
    local folder=$1 name=$2 t=inf cpu rss status
    for _ in $(seq "$reps"); do
        rm -rf "$work/floor" && mkdir "$work/floor"
        "$bin/cpu_time" "$work/t" "$bin/brenta_floor" "$folder" "$name" "$work/floor"
        read -r cpu rss status _ <"$work/t"
        [ "$status" = 0 ] || { echo "brenta_floor $name: estado $status" >&2; exit 1; }
        t=$(awk -v a="$t" -v b="$cpu" 'BEGIN { print (a == "inf" || b < a) ? b : a }')
    done
    rm -rf "$work/floor"
    echo "$t"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "procesador (usuario + sistema), el mejor de $reps, un hilo; suelo: brenta_floor"
printf "%-6s %8s %9s %9s %7s %9s" caso pruebas suelo brenta veces memoria
[ -n "$old" ] && printf " %9s %7s %9s" antes veces memoria
echo
for entry in S10:200000 S10:2000000 R1000:500 R1000:5000 G50:500 G50:5000; do
    c=${entry%%:*}
    n=${entry#*:}
    folder=$work/$c-$n
    mkdir -p "$folder"
    "$bin/system_generator" "$folder" case "$c" "$n"
    name=${c}_$n
    read -r tn kn < <(best "$bin/brenta" "$folder" "$name")
    tf=$(floor "$folder" "$name")
    printf "%-6s %8s %9.3f %9.3f %7s %7s Ki" "$c" "$n" "$tf" "$tn" "$(ratio "$tn" "$tf")" "$kn"
    if [ -n "$old" ]; then
        read -r to ko < <(best "$old" "$folder" "$name")
        printf " %9.3f %7s %7s Ki" "$to" "$(ratio "$to" "$tf")" "$ko"
    fi
    echo
done

echo
echo "repetir en la carpeta con los resultados anteriores, frente a una carpeta sin ellos"
for entry in S10:2000000 G50:5000; do
    c=${entry%%:*}
    n=${entry#*:}
    folder=$work/$c-$n
    name=${c}_$n
    read -r te _ < <(best "$bin/brenta" "$folder" "$name")
    read -r tr _ < <(best "$bin/brenta" "$folder" "$name" rerun)
    printf "%-6s %8s vacía %7.3f s  repetida %7.3f s  %s veces" "$c" "$n" "$te" "$tr" "$(ratio "$tr" "$te")"
    if [ -n "$old" ]; then
        read -r toe _ < <(best "$old" "$folder" "$name")
        read -r tor _ < <(best "$old" "$folder" "$name" rerun)
        printf "   antes: %7.3f s  %7.3f s  %s veces" "$toe" "$tor" "$(ratio "$tor" "$toe")"
    fi
    echo
done

# timed FOLDER NAME THREADS: the best wall time and the best processor time of $reps runs
# with BRENTA_HILOS=THREADS, as "wall cpu".
timed() {
    local folder=$1 name=$2 threads=$3 w=inf t=inf cpu rss status wall
    for _ in $(seq "$reps"); do
        (cd "$folder" && rm -f "${results[@]}")
        (cd "$folder" && BRENTA_HILOS=$threads "$bin/cpu_time" "$work/t" "$bin/brenta" "$name" <"$name.in" >/dev/null)
        read -r cpu rss status wall _ <"$work/t"
        [ "$status" = 0 ] || { echo "brenta $name: estado $status" >&2; exit 1; }
        t=$(awk -v a="$t" -v b="$cpu" 'BEGIN { print (a == "inf" || b < a) ? b : a }')
        w=$(awk -v a="$w" -v b="$wall" 'BEGIN { print (a == "inf" || b < a) ? b : a }')
    done
    echo "$w $t"
}

hilos=${HILOS:-$(nproc)}
declare -A one cpu
echo
echo "tiempo real y de procesador con $hilos hilos frente a BRENTA_HILOS=1, el mejor de $reps (carga: $(cut -d' ' -f1-3 /proc/loadavg))"
printf "%-6s %8s %9s %9s %7s %9s %9s %7s\n" caso pruebas "real 1" "real $hilos" veces "cpu 1" "cpu $hilos" veces
for entry in S10:200000 S10:2000000 R1000:500 R1000:5000 G50:500 G50:5000; do
    c=${entry%%:*}
    n=${entry#*:}
    folder=$work/$c-$n
    name=${c}_$n
    read -r w1 t1 < <(timed "$folder" "$name" 1)
    read -r wn tn < <(timed "$folder" "$name" "$hilos")
    printf "%-6s %8s %9.3f %9.3f %7s %9.3f %9.3f %7s\n" "$c" "$n" "$w1" "$wn" "$(ratio "$wn" "$w1")" \
        "$t1" "$tn" "$(ratio "$tn" "$t1")"
    one[$entry]=$t1
    cpu[$entry]=$tn
done

# kernel FOLDER NAME THREADS: the best system time of $reps runs: with the first 20 trials
# alone, almost all of it the kernel's copy of redun.TXT into the page cache, which the
# file's writes take in turn, whichever threads make them.
kernel() {
    local folder=$1 name=$2 threads=$3 t=inf cpu rss status wall sys
    for _ in $(seq "$reps"); do
        (cd "$folder" && rm -f "${results[@]}")
        (cd "$folder" && BRENTA_HILOS=$threads "$bin/cpu_time" "$work/t" "$bin/brenta" "$name" <"$name.in" >/dev/null)
        read -r cpu rss status wall sys <"$work/t"
        [ "$status" = 0 ] || { echo "brenta $name: estado $status" >&2; exit 1; }
        t=$(awk -v a="$t" -v b="$sys" 'BEGIN { print (a == "inf" || b < a) ? b : a }')
    done
    echo "$t"
}

# More cores share out all but the stages that run one at a time: walking the random stream,
# adding the blocks in trial order, and the writes of fallo.txt and redun.TXT (the system
# time of a run of the first 20 trials alone on $hilos threads: the formatting of the rows
# is shared out, the kernel's copy of them is not). The wall time of c cores is at least the
# largest of them and of the processor time of the run above over c; the multiple is of one
# thread's processor time (its wall time on an idle machine).
echo
echo "más núcleos: etapas de un solo hilo (procesador, s) y el tiempo real que dejan con 4 y 8"
printf "%-6s %8s %8s %8s %8s %12s %12s\n" caso pruebas flujo suma ficheros "4 hilos" "8 hilos"
for entry in S10:200000 S10:2000000 R1000:500 R1000:5000 G50:500 G50:5000; do
    c=${entry%%:*}
    n=${entry#*:}
    read -r draw add < <("$bin/pipeline_stages" "$work/$c-$n" "${c}_$n" 2>/dev/null)
    mkdir -p "$work/$c-20"
    "$bin/system_generator" "$work/$c-20" case "$c" 20
    files=$(kernel "$work/$c-20" "${c}_20" "$hilos")
    printf "%-6s %8s %8.3f %8.3f %8.3f" "$c" "$n" "$draw" "$add" "$files"
    for cores in 4 8; do
        w=$(awk -v t="${cpu[$entry]}" -v c="$cores" -v a="$draw" -v b="$add" -v f="$files" \
            'BEGIN { w = t / c; if (a > w) w = a; if (b > w) w = b; if (f > w) w = f; print w }')
        printf " %6.3f %5sx" "$w" "$(ratio "$w" "${one[$entry]}")"
    done
    echo
done

echo
echo "memoria máxima de S10 según el número de pruebas y de hilos (KiB)"
printf "%-6s %9s %8s %8s %8s %8s\n" caso pruebas "1 hilo" 2 3 8
for n in 10000 100000 1000000 10000000; do
    folder=$work/mem-$n
    mkdir -p "$folder"
    "$bin/system_generator" "$folder" case S10 "$n"
    printf "%-6s %9s" S10 "$n"
    for threads in 1 2 3 8; do
        (cd "$folder" && BRENTA_HILOS=$threads "$bin/cpu_time" "$work/t" "$bin/brenta" "S10_$n" <"S10_$n.in" >/dev/null)
        read -r cpu rss status _ <"$work/t"
        printf " %8s" "$rss"
    done
    echo
    rm -rf "$folder"
done

if [ $literal = 1 ]; then
    echo
    echo "== re-evaluación literal frente a la incremental (ejecuciones enteras, en proceso)"
    for c in R1000 G50; do
        "$bin/brenta_bench" $c incremental
        "$bin/brenta_bench" $c direct
    done
    if [ -x "$bin/reevaluation_bench" ]; then
        "$bin/reevaluation_bench" --benchmark_format=csv 2>/dev/null |
            awk -F, '/^"(direct|incremental)\// {
                split($1, n, "/"); gsub(/"/, "", n[1]); gsub(/"/, "", n[2]);
                printf "%-12s %-6s %10.2f us por prueba\n", n[1], n[2], $4 }'
    fi
fi
