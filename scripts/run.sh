#!/usr/bin/env bash
# Installs what is missing, builds, runs the engine on an example and starts farvik.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh

# The engine writes its results in its working folder: use a copy of the examples.
work=build/ejemplos
mkdir -p "$work"
cp examples/*.DAT "$work"/
echo "== brenta SERIE (fiabilidad en t = 100 y t = 500) en $work"
(cd "$work" && printf '1\n2\n100\n500\n' | ../bin/brenta SERIE > /dev/null)
cat "$work/resumen.TXT" | iconv -f CP1252 -t UTF-8 | tr -d '\r'

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "== farvik"
    if [ -x build/bin/farvik ]; then cd "$work" && exec ../bin/farvik; fi
    echo "farvik no está construido (falta Qt 6)."
else
    echo "== No hay pantalla (DISPLAY sin definir): farvik no se puede abrir aquí."
    echo "   En un escritorio: build/bin/farvik   (o xvfb-run build/bin/farvik sin pantalla)"
fi
