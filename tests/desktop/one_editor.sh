# shellcheck shell=bash disable=SC2154  # $editor and $tool are the caller's
# Sourced by the short desktop tests: one editor in a work folder of its own, beside a
# dictionary of one entry, killed if the test ends first. Needs $editor and $tool. Sets
# $work (the dictionary, before.dat a copy of it, the editor) and $name (the editor's
# file name there). start_editor [NAME=VALUE...] starts it in the background with those
# settings; editor_end waits up to 5 s for its end and leaves its exit status in $status.
work=$(mktemp -d /tmp/editor-test.XXXXXX)
editor_pid=""
stop() { [ -n "$editor_pid" ] && kill -KILL "$editor_pid" 2>/dev/null; return 0; }
fail() { echo "FAIL: $*" >&2; stop; exit 1; }
trap stop EXIT
# shellcheck source=tests/desktop/form_driver.sh
. "$(dirname "${BASH_SOURCE[0]}")/form_driver.sh"
unset WAYLAND_DISPLAY

printf '[header]\n[entry 2]\nkeyWords: "alpha"\n' > "$work/start.txt"
"$tool" import "$work/start.txt" "$work/TranslationFile.dat"
cp "$work/TranslationFile.dat" "$work/before.dat"
cp "$editor" "$work/"
name=$(basename "$editor")

# shellcheck disable=SC2120  # the settings are optional: most tests start it without
start_editor() {
    (cd "$work" && exec env "$@" ./"$name") &
    editor_pid=$!
}
# shellcheck disable=SC2034  # $status is read by the tests
editor_end() {
    for _ in $(seq 50); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
    status=0
    wait "$editor_pid" || status=$?
    editor_pid=""
}
