#!/usr/bin/env bash
# The layer check passes on the tree as it is and fails on each include planted against the
# layers, in a copy of the sources.
#   tests/scripts/check_layers_test.sh <source root>
set -uo pipefail
src=$1
check=$src/scripts/check_layers.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fresh_copy() {
    rm -rf "$work/tree"
    mkdir -p "$work/tree"
    cp -r "$src/common" "$src/engine" "$src/analysis" "$src/frontend" "$work/tree/"
    [[ -d $src/desktop ]] && cp -r "$src/desktop" "$work/tree/"
}

failures=0
fresh_copy
if ! "$check" "$work/tree" >/dev/null 2>"$work/err"; then
    echo "FAIL: the tree as it is does not pass:" && cat "$work/err"
    failures=$((failures + 1))
fi

# file to plant in | include | why it must fail
while IFS='|' read -r file include why; do
    fresh_copy
    printf '#include "%s"\n' "$include" >>"$work/tree/$file"
    if "$check" "$work/tree" >/dev/null 2>"$work/err"; then
        echo "FAIL: not caught: $why ($file includes $include)"
        failures=$((failures + 1))
    elif ! grep -q "^$file:" "$work/err"; then
        echo "FAIL: caught, but not at $file:" && cat "$work/err"
        failures=$((failures + 1))
    fi
done <<'PLANTS'
frontend/editor/frmdatos.cpp|shell/main_window.h|editor up to shell
frontend/results/frmgraficos.cpp|editor/frmdatos.h|results beside editor
frontend/base/dialog_seam.cpp|results/frmgraficos.h|base up to results
frontend/base/print_job.h|shell/pictures.h|a header of base up to shell
engine/core/reevaluation.cpp|first_trials.h|core up to report
engine/report/summary.cpp|run.h|report up to the run flow
common/cp1252.cpp|trial.h|common up to the engine
analysis/comparison.cpp|../frontend/results/frmcomprobacion.h|analysis up to the front end
analysis/exact_system.h|run.h|analysis up to the engine's run flow
analysis/system_model.cpp|exact_command.h|the library up to its command
frontend/results/frmcomprobacion.cpp|leer_sistema.h|results past analysis into the engine
frontend/shell/run_commands.cpp|muestra.h|shell past analysis into the engine
engine/core/trial.cpp|comparison.h|the engine up to analysis
frontend/editor/row_list.cpp|no_such_header.h|a header that does not exist
frontend/document/system_document.cpp|editor/frmdatos.h|the document up to the editor
frontend/document/system_data.h|base/dialog_seam.h|the document onto the widgets of base
frontend/document/datafile_reading.cpp|leer_sistema.h|the document past common into the engine
PLANTS

if ((failures > 0)); then
    echo "$failures failure(s)"
    exit 1
fi
echo "the layer check passes the tree and catches every planted include"
