#!/usr/bin/env bash
# Builds the editor and starts it. A sample TranslationFile.dat is put beside the
# executable when there is none. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
# Said before a minute of building, not after.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display to show the editor on (neither DISPLAY nor WAYLAND_DISPLAY is set);" \
         "run it on a desktop, or in a virtual one: xvfb-run scripts/run.sh" >&2
    exit 1
fi
. scripts/packages.sh
# shellcheck disable=SC2086
ensure_packages $BUILD_PACKAGES

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEDITOR_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target translation-editor sample_dictionary
if [ ! -f build/TranslationFile.dat ]; then
    cp build/sample/TranslationFile.dat build/TranslationFile.dat
    echo "run.sh: put the sample dictionary beside the editor: build/TranslationFile.dat"
fi

exec build/translation-editor
