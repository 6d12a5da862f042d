#!/usr/bin/env bash
# Builds the editor and starts it. A sample TranslationFile.dat is put beside the
# executable when there is none. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
# shellcheck disable=SC2086
ensure_packages $BUILD_PACKAGES

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEDITOR_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target translation-editor
if [ ! -f build/TranslationFile.dat ] && [ -f build/sample/TranslationFile.dat ]; then
    cp build/sample/TranslationFile.dat build/TranslationFile.dat
fi
exec build/translation-editor
