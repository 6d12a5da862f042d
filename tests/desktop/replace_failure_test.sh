#!/usr/bin/env bash
# A rebuild whose new dictionary cannot be put in place, through the desktop: the
# dictionary is a symbolic link to a file on a small file system of its own, with room for
# the old dictionary but not for a copy of the new one. The rename of the work file over
# the link's target fails (another file system), so the rebuild copies the work file
# beside the target, and that copy runs out of room part of the way through. The user must
# be told, the old dictionary must stay whole, the work file must stay complete, and the
# next start must clear what the failed copy may have left.
#   replace_failure_test.sh EDITOR TRANSLATION_FILE_TOOL
# Run on an X display (Xvfb). EDITOR_LAUNCH, when set, is the command the editor is
# started through (wine_run.sh sets it to Wine's loader for the Windows build); CLIENT_X
# and CLIENT_Y as for desktop_test.sh. Needs to
# mount a tmpfs: prints SKIPPED and exits 0 only when the mount is refused.
set -euo pipefail

editor=$1
tool=$2
work=$(mktemp -d /tmp/replace-failure-test.XXXXXX)
small=$work/small
editor_pid=""
mounted=""

cleanup() {
    if [ -n "$editor_pid" ]; then
        kill "$editor_pid" 2>/dev/null || true
        wait "$editor_pid" 2>/dev/null || true
    fi
    if [ -n "$mounted" ]; then
        umount "$small" 2>/dev/null || umount -l "$small" 2>/dev/null || true
    fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    echo "FAIL: $*" >&2
    import -window root "$work/screen.png" 2>/dev/null && echo "screen at failure: $work/screen.png" >&2
    exit 1
}

# shellcheck source=tests/desktop/form_driver.sh
. "$(dirname "$0")/form_driver.sh"

record=2056
page=4096
pages() { echo $((($1 + page - 1) / page)); }

# Twenty entries, every second one with the key words "unused": "del unused" keeps ten.
entry() {  # record made-as keyWords
    printf '[entry %s]\nmode: 1\nreplyKind: 3\nwordClass: 2\nreplyRef: "r%s"\nkeyWords: "%s"\nreplyText: "reply %s"\ndescription: "entry %s"\n' \
        "$1" "$2" "$3" "$2" "$2"
}
{
    echo "[header]"
    for i in $(seq 2 21); do
        if ((i % 2)); then entry "$i" "$i" unused; else entry "$i" "$i" "word$i"; fi
    done
} > "$work/old.txt"
{
    echo "[header]"
    n=2
    for i in $(seq 2 2 21); do entry "$n" "$i" "word$i"; n=$((n + 1)); done
} > "$work/new.txt"
"$tool" import "$work/old.txt" "$work/old.dat"
"$tool" import "$work/new.txt" "$work/new.dat"
old_size=$(stat -c %s "$work/old.dat")
new_size=$(stat -c %s "$work/new.dat")
if [ "$old_size" -ne $((21 * record)) ] || [ "$new_size" -ne $((11 * record)) ]; then
    fail "the tool made dictionaries of $old_size and $new_size bytes"
fi

# Room for the old dictionary and half of the new one.
size=$((($(pages "$old_size") + $(pages "$new_size") / 2) * page))
mkdir "$small"
if ! mount_error=$(mount -t tmpfs -o "size=$size,mode=0755" tmpfs "$small" 2>&1); then
    echo "SKIPPED: cannot mount a tmpfs for the replace-failure scenario: $mount_error"
    rm -rf "$work"
    exit 0
fi
mounted=yes
cp "$work/old.dat" "$small/TranslationFile.dat"
ln -s "$small/TranslationFile.dat" "$work/TranslationFile.dat"
target=$small/TranslationFile.dat
editor_name=$(basename "$editor")
cp "$editor" "$work/$editor_name"
unset WAYLAND_DISPLAY

start_editor() {
    # shellcheck disable=SC2086
    (cd "$work" && exec ${EDITOR_LAUNCH:-} "./$editor_name") &
    editor_pid=$!
    form=$(form_window) || fail "the editor's form did not appear"
    sleep 0.5
}

close_editor() {  # with OK, as a person ends the program
    click_control 700 321 70 20
    for _ in $(seq 50); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$editor_pid" 2>/dev/null && fail "the editor is still running after OK"
    local status=0
    wait "$editor_pid" || status=$?
    editor_pid=""
    [ "$status" -eq 0 ] || fail "the editor ended with exit code $status"
}

old_dictionary_whole() {  # when
    [ -L "$work/TranslationFile.dat" ] || fail "$1: TranslationFile.dat is no longer the link"
    [ "$(readlink "$work/TranslationFile.dat")" = "$target" ] || fail "$1: the link points elsewhere"
    cmp -s "$work/old.dat" "$target" || fail "$1: the link's target does not hold the old dictionary"
}

start_editor
click_control 90 399 70 20    # del unused
box_window 'error\.\.\.MAIN\.\.\.' >/dev/null || fail "no error box after a rebuild that could not replace the dictionary"
# While the box is up, the failed copy is already gone: the small file system has its room back.
[ ! -e "$target.rebuild~" ] || fail "the failed copy $target.rebuild~ was left beside the dictionary"
old_dictionary_whole "with the error box up"
xdotool key Return
sleep 0.5
xdotool search --onlyvisible --name '^error\.\.\.MAIN\.\.\.$' >/dev/null && fail "the error box stayed after Enter"
form=$(form_window) || fail "the form did not open again after the error box"
sleep 0.3

# The work file is what the pass wrote: the ten kept entries after a header that counts them
# (the rest of that header is the last entry copied).
[ -f "$work/TranslationFileNEW.dat" ] || fail "the work file is gone"
[ "$(stat -c %s "$work/TranslationFileNEW.dat")" -eq "$new_size" ] || fail "the work file is not complete"
cmp -s <(tail -c +$((record + 1)) "$work/new.dat") <(tail -c +$((record + 1)) "$work/TranslationFileNEW.dat") ||
    fail "the work file does not hold the kept entries"
"$tool" export "$work/TranslationFileNEW.dat" | sed -n '/^\[header\]/,/^$/p' | grep -qx 'count: 11' ||
    fail "the work file's header does not count its entries"
old_dictionary_whole "with the form open again"
close_editor
old_dictionary_whole "after OK"

# A copy that a killed rebuild left behind, as the next start finds it.
printf 'half a copy' > "$target.rebuild~"
start_editor
[ ! -e "$target.rebuild~" ] || fail "the next start left $target.rebuild~ in place"
old_dictionary_whole "after the next start"
close_editor
old_dictionary_whole "after the second OK"

umount "$small" && mounted=""
rm -rf "$work"
echo "PASS: a rebuild whose copy ran out of room kept the old dictionary and the work file, and said so"
