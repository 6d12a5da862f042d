#!/usr/bin/env bash
# The built editor read and worked as a screen reader does, through the desktop's
# accessibility bus (AT-SPI): accessibility_client.py reads the form, clicks and types
# through the bus's interfaces and listens to its events; the dictionary's bytes are
# checked afterwards. Run it on an X display without other windows, in a D-Bus session of
# its own:
#   xvfb-run -a dbus-run-session -- accessibility_test.sh PYTHON EDITOR TRANSLATION_FILE_TOOL
# PYTHON is an interpreter that has pyatspi (Debian: python3-pyatspi for /usr/bin/python3).
set -euo pipefail

python=$1
editor=$2
tool=$3
work=$(mktemp -d /tmp/accessibility-test.XXXXXX)
launcher_pid=""
editor_pid=""

stop() {
    [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null
    [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null
    return 0
}
fail() {
    echo "FAIL: $*" >&2
    import -window root "$work/screen.png" 2>/dev/null && echo "screen at failure: $work/screen.png" >&2
    stop
    exit 1
}
trap stop EXIT

# The accessibility bus, as a desktop session starts it; its registry comes when asked for.
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate && break
done
[ -n "$launcher" ] || fail "no at-spi-bus-launcher (Debian: at-spi2-core)"
"$launcher" --launch-immediately &
launcher_pid=$!
unset NO_AT_BRIDGE WAYLAND_DISPLAY

entry() {  # record mode keyWords description
    printf '[entry %s]\nmode: %s\nreplyKind: 3\nwordClass: 2\nreplyRef: "na"\nkeyWords: "%s"\nreplyText: "said %s"\ndescription: "%s"\n' \
        "$1" "$2" "$3" "$3" "$4"
}
{
    echo "[header]"
    entry 2 1 alpha "the first word"
    entry 3 1 beta "the second word"
    entry 4 1 gamma "the third word"
} > "$work/start.txt"
cp "$editor" "$work/"
"$tool" import "$work/start.txt" "$work/TranslationFile.dat"

# run_with_client [NAME=VALUE...] -- [CLIENT ARGUMENTS]: the editor with those settings, the
# client beside it; the client ends the editor with OK.
run_with_client() {
    local settings=()
    while [ "$1" != "--" ]; do settings+=("$1"); shift; done
    shift
    (cd "$work" && exec env "${settings[@]}" ./"$(basename "$editor")") &
    editor_pid=$!
    "$python" "$(dirname "$0")/accessibility_client.py" "$@" || fail "the screen reader's client failed"
    for _ in $(seq 100); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$editor_pid" 2>/dev/null && fail "the editor is still running after OK"
    status=0
    wait "$editor_pid" || status=$?
    editor_pid=""
    [ "$status" -eq 0 ] || fail "the editor ended with exit code $status"
}

run_with_client --

# Entry 3 holds what was typed through the bus (stored by Find); the rest is as it was.
{
    echo "[header]"
    entry 2 1 alpha "the first word"
    entry 3 7 "beta two" "the second word" | sed 's/said beta two/said beta/'
    entry 4 1 gamma "the third word"
} > "$work/expected.txt"
"$tool" import "$work/expected.txt" "$work/expected.dat"
entries() { "$tool" export "$1" | awk '/^\[entry/ { e = 1 } e' | grep -v '\.after: '; }
if ! diff -u <(entries "$work/expected.dat") <(entries "$work/TranslationFile.dat") >&2; then
    fail "the dictionary does not hold what was typed through the bus"
fi

# At twice the program's pixels the extents are the screen's: where the form is drawn, and
# a click there lands in the field.
run_with_client EDITOR_SCALE=2 -- --where
rm -rf "$work"
echo "PASS: the editor read and worked through the accessibility bus"
