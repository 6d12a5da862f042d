#!/usr/bin/env bash
# Builds the editor and its tests, runs every test, and cross-compiles the program for
# Windows to keep its code genuine Win32 code. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
# shellcheck disable=SC2086
ensure_packages $BUILD_PACKAGES $TEST_PACKAGES

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEDITOR_TESTS=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Windows cross-compile (mingw-w64, i686)"
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-windows -j"$jobs"
echo "Windows build: $(ls build-windows/*.exe 2>/dev/null || echo 'program libraries only')"
