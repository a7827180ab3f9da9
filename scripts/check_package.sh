#!/usr/bin/env bash
# Checks the Debian package as Debian's own tool does: lintian must find no error and no
# warning (the overrides shipped in the package say why each remaining tag stays).
#   scripts/check_package.sh [build/package/farvik_*.deb]
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(ls build/package/farvik_*.deb)}
status=0
report=$(lintian --fail-on error,warning "$deb" 2>&1) || status=$?
report=$(grep -v 'running with root privileges' <<<"$report" || true)
[ -z "$report" ] || echo "$report"
[ "$status" -eq 0 ] || { echo "check_package: lintian rechaza $deb" >&2; exit 1; }
echo "lintian: $deb sin errores ni avisos"
