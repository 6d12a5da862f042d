#!/usr/bin/env bash
# The built editor where fonts are hard to come by. Fontconfig offering nothing (an empty
# configuration) still gives a form with text, from the font files at their usual places.
# Too few file descriptors for any font file: one line on standard error and exit status
# 1 before any file is touched, never an abort; the dictionary stays as it was.
#   no_font_test.sh EDITOR TRANSLATION_FILE_TOOL
# Run it on an X display that admits everyone (xvfb-run -a -s "-ac ..."): with a file
# descriptor or two, reading an authority file would fail before any font is looked for.
set -euo pipefail
editor=$1
tool=$2
work=$(mktemp -d /tmp/no-font-test.XXXXXX)
editor_pid=""
stop() { [ -n "$editor_pid" ] && kill -KILL "$editor_pid" 2>/dev/null; return 0; }
fail() { echo "FAIL: $*" >&2; stop; exit 1; }
trap stop EXIT
. "$(dirname "$0")/form_driver.sh"
unset WAYLAND_DISPLAY

printf '[header]\n[entry 2]\nkeyWords: "alpha"\n' > "$work/start.txt"
"$tool" import "$work/start.txt" "$work/TranslationFile.dat"
cp "$work/TranslationFile.dat" "$work/before.dat"
cp "$editor" "$work/"
printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' > "$work/empty-fonts.conf"

(cd "$work" && FONTCONFIG_FILE="$work/empty-fonts.conf" exec ./"$(basename "$editor")" 2>/dev/null) &
editor_pid=$!
form=$(form_window) || fail "with fontconfig offering no font, the form did not appear"
sleep 0.5
click_control 700 346 70 20   # Cancel
for _ in $(seq 50); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$editor_pid" || status=$?
editor_pid=""
[ "$status" -eq 0 ] || fail "with fontconfig offering no font, the editor ended with exit status $status"

# From the fewest descriptors up, until the editor gets as far as waiting for the user:
# each run that ends by itself says why in one line, and has touched no file.
said_no_font=""
name=$(basename "$editor")
for limit in $(seq 4 16); do
    status=0
    (cd "$work" && ulimit -n "$limit" && exec env -u XAUTHORITY timeout 5 ./"$name") 2>"$work/said" || status=$?
    [ "$status" -eq 124 ] && break   # it waited for the user: enough descriptors from here on
    [ "$status" -eq 1 ] || fail "with $limit file descriptors the editor ended with exit status $status: $(cat "$work/said")"
    [ ! -e "$work/TranslationFileNEW.dat" ] || fail "with $limit file descriptors a work file was left"
    cmp -s "$work/before.dat" "$work/TranslationFile.dat" || fail "with $limit file descriptors the dictionary changed"
    grep -q "no font can be opened" "$work/said" || continue
    said_no_font=$limit
    # Fontconfig's own complaint may come before the editor's line.
    [ "$(grep -cv '^Fontconfig error' "$work/said")" -eq 1 ] || fail "with $limit file descriptors it said more than a line: $(cat "$work/said")"
done
[ -n "$said_no_font" ] || fail "no descriptor limit made the editor say it has no font"
rm -rf "$work"
echo "PASS: a form without fontconfig's help; with $said_no_font descriptors, one line and no file touched"
