#!/usr/bin/env bash
# Installs what is missing and makes the Debian package build/package/farvik_*.deb from its
# own build folder (build/package-build): only the programs, no tests or benchmarks, built
# with Debian's flags (dpkg-buildflags, every hardening feature on) and stripped.
# Install it as root with: apt-get install ./build/package/farvik_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cxxflags=$(dpkg-buildflags --get CXXFLAGS)
ldflags=$(dpkg-buildflags --get LDFLAGS)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Build type None: the flags are Debian's alone (-O2 as RelWithDebInfo has; NDEBUG as there).
cmake -S . -B build/package-build "${launcher[@]}" -DCMAKE_BUILD_TYPE=None \
    -DFARVIK_TESTS=OFF -DFARVIK_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$cppflags $cxxflags -DNDEBUG" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build build/package-build -j"$(nproc)"
rm -f build/package/farvik_*.deb
cpack --config build/package-build/CPackConfig.cmake -B build/package
ls build/package/farvik_*.deb
