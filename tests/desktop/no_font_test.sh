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
# shellcheck source=tests/desktop/one_editor.sh
. "$(dirname "$0")/one_editor.sh"
printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' > "$work/empty-fonts.conf"

start_editor FONTCONFIG_FILE="$work/empty-fonts.conf" 2>/dev/null
form=$(form_window) || fail "with fontconfig offering no font, the form did not appear"
sleep 0.5
click_control 700 346 70 20   # Cancel
editor_end
[ "$status" -eq 0 ] || fail "with fontconfig offering no font, the editor ended with exit status $status"

# From the fewest descriptors up, until the editor gets as far as waiting for the user:
# each run that ends by itself says why in one line, and has touched no file.
said_no_font=""
for limit in $(seq 4 16); do
    status=0
    (cd "$work" && unset XAUTHORITY && ulimit -n "$limit" && exec timeout 5 ./"$name") 2>"$work/said" || status=$?
    [ "$status" -eq 124 ] && break   # it waited for the user: enough descriptors from here on
    [ "$status" -eq 127 ] && continue   # too few for the loader even (descriptors inherited take some)
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
