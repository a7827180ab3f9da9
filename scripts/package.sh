#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package build/package/farvik_*.deb
# (install it with: sudo apt-get install ./build/package/farvik_*.deb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
rm -f build/package/farvik_*.deb
cpack --config build/CPackConfig.cmake -B build/package
ls build/package/farvik_*.deb
