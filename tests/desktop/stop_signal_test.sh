#!/usr/bin/env bash
# The built editor on a virtual X display, ended by the signals a desktop session, a
# terminal or a person sends (log-out: SIGTERM, a closed terminal: SIGHUP, Ctrl+C: SIGINT):
# each ends it as its close box does, with a box up too: exit status 0, the typing on the
# form dropped, the dictionary as it was, no work file left.
#   stop_signal_test.sh EDITOR TRANSLATION_FILE_TOOL   (on an X display: xvfb-run -a ...)
set -euo pipefail
editor=$1
tool=$2
# shellcheck source=tests/desktop/one_editor.sh
. "$(dirname "$0")/one_editor.sh"

for case in TERM:form HUP:box INT:form; do
    signal=${case%%:*}
    start_editor
    form=$(form_window) || fail "SIG$signal: the form did not appear"
    sleep 0.5
    click_control 8 195 415 20    # field 8, the reply text
    xdotool type --delay 30 "not stored"
    if [ "${case#*:}" = box ]; then
        click_control 13 321 177 21   # the Find box
        xdotool type --delay 30 "zulu"
        click_control 195 321 70 20   # Find: stores the entry, finds nothing
        box_window "Not Found" >/dev/null || fail "SIG$signal: no \"Not Found\" box"
        cp "$work/TranslationFile.dat" "$work/before.dat"   # Find stored the typing
    fi
    kill -"$signal" "$editor_pid"
    editor_end
    [ "$status" -eq 0 ] || fail "SIG$signal ($case): the editor ended with exit status $status"
    [ ! -e "$work/TranslationFileNEW.dat" ] || fail "SIG$signal ($case): TranslationFileNEW.dat was left behind"
    cmp -s "$work/before.dat" "$work/TranslationFile.dat" || fail "SIG$signal ($case): the dictionary changed"
done
rm -rf "$work"
echo "PASS: SIGTERM, SIGHUP (a box up) and SIGINT each ended the editor as its close box does"
