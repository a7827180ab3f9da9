#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own (or beside it).
#   scripts/check_layers.sh [root]     root: the source tree, the repository by default
# The layers, each allowed to include itself and what follows it:
#   common           -
#   engine/core      common
#   engine/report    core, common
#   engine/run       report, core, common
#   engine (main)    run, report, core, common
#   analysis         core, common          (exact reliability; reads data files as the engine)
#   analysis/command analysis, run, report, core, common  (fiabilidad_exacta, beside brenta)
#   frontend/base    common
#   frontend/document common               (the system being edited; no widgets)
#   frontend/editor  document, base, common
#   frontend/results base, analysis, common
#   frontend/shell   editor, document, results, base, analysis, common
#   desktop          shell, editor, document, results, base, analysis, common
# The front end reaches the engine through analysis only, never by an engine header.
set -uo pipefail
root=${1:-"$(cd "$(dirname "$0")/.." && pwd)"}
cd "$root" || exit 2

declare -A allowed=(
    [common]="common"
    [core]="core common"
    [report]="report core common"
    [run]="run report core common"
    [engine]="engine run report core common"
    [analysis]="analysis core common"
    [command]="command analysis run report core common"
    [base]="base common"
    [document]="document common"
    [editor]="editor document base common"
    [results]="results base analysis common"
    [shell]="shell editor document results base analysis common"
    [desktop]="desktop shell editor document results base analysis common"
)

# The layer of a file of the tree, from its folder, into $layer.
layer_of() {
    case $1 in
        common/*) layer=common ;;
        engine/core/*) layer=core ;;
        engine/report/*) layer=report ;;
        engine/run/*) layer=run ;;
        engine/*) layer=engine ;;
        analysis/command/*) layer=command ;;
        analysis/*) layer=analysis ;;
        frontend/base/*) layer=base ;;
        frontend/document/*) layer=document ;;
        frontend/editor/*) layer=editor ;;
        frontend/results/*) layer=results ;;
        frontend/shell/*) layer=shell ;;
        desktop/*) layer=desktop ;;
        *) layer=unknown ;;
    esac
}

# The file an include names, searched as the compiler does: beside the including file, then
# the include folders its target sees (the engine's too where a library above it passes them
# on, so that such an include is named by its layer); into $target, empty when there is none.
resolve() {
    local from=$1 name=$2 dir
    target=
    dir=${from%/*}
    if [[ -f $dir/$name ]]; then
        target=$dir/$name
        # "../" would hide the folder, hence the layer, of the header.
        [[ $target == *..* ]] && target=$(realpath -m --relative-to=. "$target")
        return
    fi
    local -a engine=(engine/core engine/report engine/run)
    local -a search=(common)
    case $from in
        engine/*) search=("${engine[@]}" common) ;;
        analysis/*) search=(analysis/command analysis "${engine[@]}" common) ;;
        frontend/* | desktop/*) search=(frontend analysis "${engine[@]}" common) ;;
    esac
    for dir in "${search[@]}"; do
        if [[ -f $dir/$name ]]; then
            target=$dir/$name
            return
        fi
        # Headers that the build generates from a template.
        if [[ -f $dir/$name.in ]]; then
            target=$dir/$name.in
            return
        fi
    done
}

faults=0
folders=()
for dir in common engine analysis frontend desktop; do [[ -d $dir ]] && folders+=("$dir"); done
# Lines "file:line:#include "name"".
while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    name=${rest#*\"}
    name=${name%%\"*}
    layer_of "$file"
    from_layer=$layer
    resolve "$file" "$name"
    if [[ -z $target ]]; then
        echo "$file:$line: \"$name\" is no header of the tree" >&2
        faults=$((faults + 1))
        continue
    fi
    layer_of "$target"
    if [[ " ${allowed[$from_layer]:-} " != *" $layer "* ]]; then
        echo "$file:$line: $from_layer includes \"$name\" of $layer, a layer above or beside it" >&2
        faults=$((faults + 1))
    fi
done < <(grep -rn --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' \
    "${folders[@]}")

if ((faults > 0)); then
    echo "check_layers: $faults include(s) against the layers" >&2
    exit 1
fi
echo "check_layers: every include points down or within its layer"
