#!/usr/bin/env bash
# Starting and ending the built editor as a desktop does it: many starts and closes in a
# row on an X server, starts where there is no display, and X servers that die under
# the editor (idle, or while a pass runs). Each end must be prompt and leave the
# dictionary whole and unlocked.
#   start_and_stop_test.sh EDITOR TRANSLATION_FILE_TOOL [STARTS] [DISPLAY_DEATHS]
# Starts its own X servers (Xvfb) on free display numbers from $FIRST_DISPLAY (120) up.
set -euo pipefail
editor=$1
tool=$2
starts=${3:-50}
deaths=${4:-4}
work=$(mktemp -d /tmp/start-stop-test.XXXXXX)
server_pid=""
editor_pid=""
reserved_lock=""
stop() {
    [ -n "$editor_pid" ] && kill -9 "$editor_pid" 2>/dev/null
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
    [ -n "$reserved_lock" ] && rm -f "$reserved_lock"
    return 0
}
fail() { echo "FAIL: $*" >&2; stop; exit 1; }
trap stop EXIT

free_display() {
    local n=${FIRST_DISPLAY:-120}
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    echo "$n"
}
start_server() {
    local n attempt
    for attempt in $(seq 20); do
        n=$(free_display)
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        server_pid=$!
        for _ in $(seq 100); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$server_pid" 2>/dev/null || break
            sleep 0.05
        done
        # The number is ours only if the lock names our server: a test running beside this
        # one may have started its own server there first.
        if kill -0 "$server_pid" 2>/dev/null && [ "$(tr -d ' \n' < "/tmp/.X$n-lock" 2>/dev/null)" = "$server_pid" ]; then
            export DISPLAY=":$n"
            return
        fi
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    done
    server_pid=""
    fail "no X server of our own after $attempt tries"
}
form_shown() { timeout 20 xdotool search --sync --onlyvisible --name '^Add words To translation File$' | head -1; }
ended_within() {  # seconds: true when the editor ended by then
    for _ in $(seq $(($1 * 10))); do kill -0 "$editor_pid" 2>/dev/null || return 0; sleep 0.1; done
    return 1
}
entries() { "$tool" export "$1" | awk '/^\[entry/ { e = 1 } e' | grep -v '\.after: '; }

printf '[header]\n[entry 2]\nmode: 1\nkeyWords: "alpha"\n[entry 3]\nmode: 2\nkeyWords: "beta"\n' > "$work/start.txt"
cp "$editor" "$work/editor"
"$tool" import "$work/start.txt" "$work/original.dat"
cp "$work/original.dat" "$work/TranslationFile.dat"
entries "$work/original.dat" > "$work/original.entries"
unset WAYLAND_DISPLAY

# Many starts and closes in a row, each through the Cancel button.
start_server
for i in $(seq "$starts"); do
    (cd "$work" && exec ./editor) 2>>"$work/log" &
    editor_pid=$!
    form=$(form_shown) || fail "start $i: no form"
    xdotool mousemove --window "$form" $((3 + 735)) $((22 + 356)) click 1 2>/dev/null || true
    ended_within 10 || fail "start $i: still running after Cancel"
    status=0
    wait "$editor_pid" || status=$?
    editor_pid=""
    [ "$status" -eq 0 ] || fail "start $i: exit code $status; it said: $(tail -6 "$work/log" | tr "\n" " ")"
done
echo "$starts starts and closes, each showing the form and ending with 0"
kill "$server_pid"; wait "$server_pid" 2>/dev/null || true; server_pid=""

# No display: unset, or naming a server that is not there. The display number stays
# reserved by an X lock file naming this script, so that no X server started meanwhile
# by another test (they run side by side) takes it.
reserve_display() {
    local n
    while :; do
        n=$(free_display)
        if (set -o noclobber; printf '%10d\n' $$ > "/tmp/.X$n-lock") 2>/dev/null; then
            reserved_lock="/tmp/.X$n-lock"
            echo "$n"
            return
        fi
    done
}
reserve_display > "$work/absent"
absent=$(cat "$work/absent")
reserved_lock="/tmp/.X$absent-lock"
for i in 1 2 3 4 5; do
    [ $((i % 2)) -eq 1 ] && display="" || display=":$absent"
    status=0
    (cd "$work" && DISPLAY=$display timeout 10 ./editor) 2>"$work/said" || status=$?
    if [ "$status" -eq 0 ] || [ "$status" -eq 124 ]; then fail "no display ($display): exit code $status"; fi
    [ "$(wc -l < "$work/said")" -eq 1 ] || fail "no display: said more than one line: $(cat "$work/said")"
    grep -q "no display" "$work/said" || fail "no display: said $(cat "$work/said")"
    [ ! -e "$work/TranslationFileNEW.dat" ] || fail "no display: a work file was made"
    cmp -s "$work/TranslationFile.dat" "$work/original.dat" || fail "no display: the dictionary changed"
done
echo "5 starts without a display, each saying so in one line and ending with non-zero"
rm -f "$reserved_lock"; reserved_lock=""

# The X server dies under the editor, idle or right after a pass was asked for.
for i in $(seq "$deaths"); do
    start_server
    (cd "$work" && exec ./editor) 2>"$work/log" &
    editor_pid=$!
    form=$(form_shown) || fail "display death $i: no form"
    # del .lnk's: a pass that keeps every entry of this dictionary.
    [ $((i % 2)) -eq 0 ] && xdotool mousemove --window "$form" $((3 + 48)) $((22 + 383)) click 1
    kill -9 "$server_pid"; wait "$server_pid" 2>/dev/null || true; server_pid=""
    # A killed server leaves its lock and socket; the number is free again.
    rm -f "/tmp/.X${DISPLAY#:}-lock" "/tmp/.X11-unix/X${DISPLAY#:}"
    ended_within 10 || fail "display death $i: the editor hangs ($(ps -o stat=,pcpu= -p "$editor_pid"))"
    wait "$editor_pid" 2>/dev/null || true
    editor_pid=""
    entries "$work/TranslationFile.dat" | cmp -s - "$work/original.entries" ||
        fail "display death $i: the dictionary is not whole"
    # Its files are free again: a new editor can open them (it ends on a missing display).
    rm -f "$work/TranslationFileNEW.dat"
done
echo "$deaths display deaths, the editor ending each time with the dictionary whole"
rm -rf "$work"
