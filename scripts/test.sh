#!/usr/bin/env bash
# Builds the editor and its tests, runs every test, cross-compiles the program for
# Windows to keep its code genuine Win32 code, and runs the Windows build under Wine
# through the desktop scenario. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
# shellcheck disable=SC2086
ensure_packages $BUILD_PACKAGES $LINT_PACKAGES $TEST_PACKAGES

# Quick checks first, so that a finding stops the run before the long builds.
echo "== Lint (include structure, shellcheck, format, clang-tidy)"
lint_start=$SECONDS
scripts/lint.sh
echo "Lint: $((SECONDS - lint_start)) s"

jobs=$(nproc)
# A compiler cache, where the machine has one, makes a second run of this command quick,
# also from another checkout of the same tree (paths are hashed relative to it).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEDITOR_TESTS=ON -DEDITOR_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# The same tests again with AddressSanitizer and UndefinedBehaviorSanitizer, in a build
# that also lets tests make file operations fail on purpose (fault injection is inert
# until a test arms it). The desktop and SDL display tests are left out here: they run SDL under
# Xvfb, whose X and driver libraries are not built with the sanitizers and report their
# own leaks; the normal build above runs them.
echo "== Sanitizer build (ASan + UBSan, with fault injection)"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEDITOR_TESTS=ON \
  -DEDITOR_SANITIZE=ON -DEDITOR_FAULT_INJECTION=ON -DEDITOR_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions="$PWD/scripts/lsan-suppressions.txt" \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -E '^desktop_|^display_sdl_'

echo "== Fuzzing, a short run of each target (longer runs: scripts/fuzz.sh 300)"
scripts/fuzz.sh 15

echo "== Windows cross-compile (mingw-w64, i686)"
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
  -DEDITOR_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build build-windows -j"$jobs"
echo "Windows build: $(ls build-windows/*.exe 2>/dev/null || echo 'program libraries only')"
# Windows stretches the DPI-unaware program on high-resolution screens; its manifest asks
# for GDI text drawn sharp at the screen's resolution.
# (grep reads to the end: an early exit would end strings with SIGPIPE, which pipefail
# takes for a failure.)
strings build-windows/translation-editor.exe | grep -c '>true</gdiScaling>' >/dev/null ||
  { echo "the Windows build has no manifest asking for GDI scaling" >&2; exit 1; }

# The same program code built for 64-bit Windows (the shipped build is the 32-bit one
# above; Debian's Wine runs 64-bit programs without a 32-bit system beside it), started
# under Wine on Xvfb and put through the desktop scenario of the native build. The native
# translation-file tool makes and checks its dictionaries.
echo "== Windows build under Wine (mingw-w64, x86_64; wine64 on Xvfb)"
wine_stage_start=$SECONDS
cmake -S . -B build-windows-x64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DEDITOR_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build build-windows-x64 -j"$jobs"
tests/desktop/wine_run.sh build-windows-x64/translation-editor.exe build/translation-file
echo "Windows build under Wine: $((SECONDS - wine_stage_start)) s"

# What users are handed (scripts/package.sh), installed and started as they would: the
# Debian package into a root of its own, started by a user who is not root; the 64-bit
# Windows installer under Wine, the 32-bit one opened (this machine cannot run it).
echo "== Packages: the Debian package and the Windows installers, installed and started"
package_stage_start=$SECONDS
rm -rf build-package/out
scripts/package.sh build-package/out
out=build-package/out
tests/desktop/deb_package_test.sh "$out"/translation-editor_*.deb build-package/screenshots
tests/desktop/windows_installer_test.sh "$out"/translation-editor-*-win64-setup.exe "$out"/translation-editor-*-win32-setup.exe \
  build-windows/translation-editor.exe build-package/sample/TranslationFile.dat build/translation-file build-package/screenshots
echo "Packages: $((SECONDS - package_stage_start)) s"
