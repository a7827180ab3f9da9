#!/usr/bin/env bash
# Checks an installed farvik (the Debian package, or `cmake --install` into PREFIX): the menu
# entry and icons are in place, brenta runs from the installed folder on an example and
# writes every result file, and farvik starts there and keeps running.
#   scripts/check_installed.sh [PREFIX]      (default /usr)
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=${1:-/usr}
fail() { echo "check_installed: $*" >&2; exit 1; }

for f in bin/brenta bin/farvik; do [ -x "$prefix/$f" ] || fail "falta $prefix/$f"; done
for f in share/applications/farvik.desktop share/icons/hicolor/scalable/apps/farvik.svg \
         share/icons/hicolor/{48x48,128x128,256x256}/apps/farvik.png; do
    [ -s "$prefix/$f" ] || fail "falta $prefix/$f"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/farvik.desktop"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp examples/SERPAR.DAT "$work"/
(cd "$work" && printf '1\n2\n100\n500\n' | "$prefix/bin/brenta" SERPAR >/dev/null) \
    || fail "brenta termina con estado $?"
for f in resumen.TXT fallo.txt redun.TXT listasis.txt tablafia.txt; do
    [ -s "$work/$f" ] || fail "brenta no ha escrito $f"
done
grep -aq "simulaciones de un  sistema serie-paralelo" "$work/resumen.TXT" \
    || fail "resumen.TXT no es el de SERPAR"
echo "brenta instalado: SERPAR simulado en $prefix/bin/brenta"

# farvik has no batch mode: it must start and still be running after a few seconds.
status=0
(cd "$work" && QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" HOME="$work" \
    timeout 4 "$prefix/bin/farvik") || status=$?
[ "$status" -eq 124 ] || fail "farvik ha terminado con estado $status al arrancar"
echo "farvik instalado: arranca desde $prefix/bin/farvik"
