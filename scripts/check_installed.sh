#!/usr/bin/env bash
# Checks an installed farvik (the Debian package, or `cmake --install` into PREFIX): the menu
# entry, icons, MIME type, AppStream metadata, manual pages and examples are in place and
# valid, brenta runs from the installed folder on an example and writes every result file
# (the bytes the built brenta writes, when there is one), and farvik starts there and keeps
# running.
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
for f in share/mime/packages/farvik.xml share/metainfo/farvik.metainfo.xml \
         share/doc/farvik/copyright share/doc/farvik/changelog.gz \
         share/doc/farvik/manual/index.html share/doc/farvik/manual/ventana-principal.png \
         share/man/man1/{brenta,farvik,fiabilidad_exacta}.1.gz \
         share/farvik/ejemplos/{SERIE,PARALELO,SERPAR,PARSER,GENERAL}.DAT; do
    [ -s "$prefix/$f" ] || fail "falta $prefix/$f"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/farvik.desktop"
fi
if command -v appstreamcli >/dev/null; then
    # The component is called "farvik", like its menu entry: the project has no domain of its
    # own for the reverse-domain name AppStream prefers, so that warning is only a note here.
    appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
        "$prefix/share/metainfo/farvik.metainfo.xml" || fail "metainfo no válido"
fi
if command -v man >/dev/null; then
    # Each page renders, and groff has nothing to say about it.
    for page in brenta farvik fiabilidad_exacta; do
        file="$prefix/share/man/man1/$page.1.gz"
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$file" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man $page: $warnings"
        LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l "$file" 2>/dev/null | grep -q "^NOMBRE" \
            || fail "man -l $file no muestra la página"
    done
fi
# Installed system-wide, the data files are told from other .DAT files by their content.
if [ "$prefix" = /usr ] && command -v gio >/dev/null; then
    probe=$(mktemp -d)
    cp examples/SERPAR.DAT "$probe/SERPAR.DAT"
    printf 'otro programa\r\n1 2 3\r\n' > "$probe/OTRO.DAT"
    type_of() { gio info -a standard::content-type "$1" | sed -n 's/.*content-type: //p'; }
    [ "$(type_of "$probe/SERPAR.DAT")" = application/x-farvik-system ] \
        || fail "SERPAR.DAT no se reconoce como fichero de datos de farvik"
    [ "$(type_of "$probe/OTRO.DAT")" != application/x-farvik-system ] \
        || fail "un .DAT de otro programa se toma por uno de farvik"
    rm -rf "$probe"
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
# Built with Debian's flags, the packaged engine must still write the very bytes that the
# engine of the build folder writes.
built="$PWD/build/bin/brenta"
if [ -x "$built" ]; then
    mkdir "$work/built"
    cp examples/SERPAR.DAT "$work/built"/
    (cd "$work/built" && printf '1\n2\n100\n500\n' | "$built" SERPAR >/dev/null) \
        || fail "build/bin/brenta termina con estado $?"
    for f in resumen.TXT fallo.txt redun.TXT listasis.txt tablafia.txt; do
        cmp -s "$work/$f" "$work/built/$f" || fail "$f difiere del de build/bin/brenta"
    done
fi
# --help and --version answer in Spanish, and leave the results of the folder as they were.
(cd "$work" && mkdir -p before && cp resumen.TXT fallo.txt redun.TXT listasis.txt tablafia.txt before/)
for program in brenta fiabilidad_exacta; do
    help=$(cd "$work" && "$prefix/bin/$program" --help) || fail "$program --help termina con estado $?"
    [[ "$help" == Uso:* ]] || fail "$program --help: $help"
    (cd "$work" && "$prefix/bin/$program" --version >/dev/null) || fail "$program --version"
done
for f in resumen.TXT fallo.txt redun.TXT listasis.txt tablafia.txt; do
    cmp -s "$work/$f" "$work/before/$f" || fail "brenta --help ha cambiado $f"
done
echo "brenta instalado: SERPAR simulado en $prefix/bin/brenta"

# farvik has no batch mode: it must start and still be running after a few seconds.
version=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/farvik" --version) \
    || fail "farvik --version termina con estado $?"
[[ "$version" =~ ^farvik\ \(Farvik\)\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "farvik --version: $version"
status=0
(cd "$work" && QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" HOME="$work" \
    timeout 4 "$prefix/bin/farvik") || status=$?
[ "$status" -eq 124 ] || fail "farvik ha terminado con estado $status al arrancar"
echo "farvik instalado: arranca desde $prefix/bin/farvik"
