#!/usr/bin/env bash
# The Windows build of the editor through the desktop scenario, under Wine on Xvfb:
#   tests/desktop/wine_run.sh EDITOR_EXE TRANSLATION_FILE_TOOL
# EDITOR_EXE is the 64-bit Windows build (a plain Debian machine's Wine runs 64-bit
# programs only); TRANSLATION_FILE_TOOL is the native tool, which makes and reads the
# scenario's dictionaries. The Wine prefix is made afresh in the executable's folder on
# every run (never the user's ~/.wine), and one wineserver serves the whole run, so that
# each start of the editor takes a fraction of a second.
# Exits 0 after printing SKIPPED when Wine cannot start a program on this machine at all;
# any failure of the scenario itself is a failure.
set -euo pipefail

exe=$(realpath "$1")
tool=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)

skip() { echo "SKIPPED: the Windows build was not run under Wine: $*"; exit 0; }

WINEPREFIX="$(dirname "$exe")/wineprefix"
# shellcheck source=tests/desktop/wine_prefix.sh
. "$here/wine_prefix.sh"
ready=$(date +%s.%N)

# Every scenario runs, whichever fails: one failure must not hide another.
failed=0
EDITOR_LAUNCH=$wine "$here/desktop_test.sh" "$exe" "$tool" || failed=1
echo "scenario under Wine: $(seconds_since "$ready") s"
ready=$(date +%s.%N)
EDITOR_LAUNCH=$wine "$here/replace_failure_test.sh" "$exe" "$tool" || failed=1
echo "replace-failure scenario under Wine: $(seconds_since "$ready") s"
[ "$failed" -eq 0 ]
