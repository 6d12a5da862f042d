#!/usr/bin/env bash
# The built editor on a real (virtual) X display with the SDL backend, driven as a person
# would with the mouse and keyboard; the dictionary's bytes are checked afterwards.
# Run under Xvfb: xvfb-run -a desktop_test.sh EDITOR TRANSLATION_FILE_TOOL
# EDITOR_LAUNCH, when set, is the command the editor is started through (wine_run.sh sets
# it to Wine's loader to run the Windows build the same way).
set -euo pipefail

editor=$1
tool=$2
work=$(mktemp -d /tmp/desktop-test.XXXXXX)
editor_pid=""

fail() {
    echo "FAIL: $*" >&2
    import -window root "$work/screen.png" 2>/dev/null && echo "screen at failure: $work/screen.png" >&2
    [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null
    exit 1
}

# The form's controls are placed in dialog units (base units 6 x 13) from the pixel
# rectangles the program asks for; every edge is converted on its own. The client area
# lies at (3, 22) inside the window.
round_half_even() {  # a / b for a, b >= 0
    local q=$(($1 / $2)) r=$(($1 % $2))
    if ((2 * r > $2 || (2 * r == $2 && q % 2 == 1))); then q=$((q + 1)); fi
    echo $q
}
mul_div() { echo $(((2 * $1 * $2 + $3) / (2 * $3))); }  # Win32 MulDiv for positive numbers
x_pixels() { mul_div "$(round_half_even $(($1 * 4)) 6)" 6 4; }
y_pixels() { mul_div "$(round_half_even $(($1 * 8)) 13)" 13 8; }
click_control() {  # x y w h as the program gives them
    local left right top bottom
    left=$(x_pixels "$1"); right=$(x_pixels $(($1 + $3)))
    top=$(y_pixels "$2"); bottom=$(y_pixels $(($2 + $4)))
    xdotool mousemove --window "$form" $((3 + (left + right) / 2)) $((22 + (top + bottom) / 2)) click 1
    sleep 0.3
}
type_text() { xdotool type --delay 30 "$1"; sleep 0.3; }

# A dictionary of three entries made by the companion tool.
entry() {  # record keyWords description
    printf '[entry %s]\nmode: 1\nreplyKind: 3\nwordClass: 2\nreplyRef: "na"\nkeyWords: "%s"\nreplyText: "said %s"\ndescription: "%s"\n' \
        "$1" "$2" "$2" "$3"
}
{ echo "[header]"; entry 2 alpha "the first word"; entry 3 beta "the second word"; entry 4 gamma "the third word"; } \
    > "$work/start.txt"
editor_name=$(basename "$editor")
cp "$editor" "$work/$editor_name"
"$tool" import "$work/start.txt" "$work/TranslationFile.dat"

unset WAYLAND_DISPLAY
# shellcheck disable=SC2086
(cd "$work" && exec ${EDITOR_LAUNCH:-} "./$editor_name") &
editor_pid=$!

form=$(timeout 20 xdotool search --sync --onlyvisible --name '^Add words To translation File$' | head -1) ||
    fail "the editor's form did not appear"
sleep 0.5
# The X window is the whole Win32 window, frame and caption included: our SDL backend's
# windows are borderless and the layer draws the frame, and Wine's unmanaged windows
# (wine_run.sh) are drawn by Wine in the same way, so no window manager adds to them.
geometry=$(xdotool getwindowgeometry "$form" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "801x465" ] || fail "the form's window is $geometry, not 801x465"

click_control 416 346 71 20   # Down: from entry 4 to 3
click_control 416 346 71 20   # Down: to 2
click_control 416 321 71 20   # Up: to 3, "beta"
click_control 8 147 415 20    # into field 6, the key words, after their text
type_text " two"
click_control 13 321 177 21   # the Find box
type_text "delta"
click_control 195 321 70 20   # Find: stores entry 3, finds nothing, shows entry 4
timeout 10 xdotool search --sync --onlyvisible --name '^Not Found$' >/dev/null ||
    fail "no \"Not Found\" box after Find"
xdotool key Return
sleep 0.5
xdotool search --onlyvisible --name '^Not Found$' >/dev/null && fail "the \"Not Found\" box stayed after Enter"
click_control 195 346 70 20   # Add: entry 5, key words "delta"
click_control 700 321 70 20   # OK: stores and ends the program

for _ in $(seq 50); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$editor_pid" 2>/dev/null && fail "the editor is still running after OK"
status=0
wait "$editor_pid" || status=$?
editor_pid=""
[ "$status" -eq 0 ] || fail "the editor ended with exit code $status"
[ ! -e "$work/TranslationFileNEW.dat" ] || fail "TranslationFileNEW.dat was left behind"

# What the dictionary must hold now: entry 3 edited, entry 5 added from the template.
{
    echo "[header]"
    entry 2 alpha "the first word"
    entry 3 "beta two" "the second word" | sed 's/said beta two/said beta/'
    entry 4 gamma "the third word"
    printf '[entry 5]\nmode: 1\nwordClass: 1\nreplyRef: "na"\nkeyWords: "delta"\n'
} > "$work/expected.txt"
"$tool" import "$work/expected.txt" "$work/expected.dat"
"$tool" export "$work/expected.dat" > "$work/expected.export"
"$tool" export "$work/TranslationFile.dat" > "$work/actual.export" || fail "the dictionary is no longer a translation file"
if ! cmp -s "$work/expected.dat" "$work/TranslationFile.dat"; then
    diff -u "$work/expected.export" "$work/actual.export" >&2 || true
    fail "the dictionary does not hold what was typed"
fi
rm -rf "$work"
echo "PASS: edited, looked up, added and closed through the desktop"
