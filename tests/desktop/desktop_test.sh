#!/usr/bin/env bash
# The built editor on a real (virtual) X display, driven as a person would with the mouse
# and keyboard; the dictionary's bytes are checked afterwards. Nothing here sets the
# keyboard focus: keys go wherever the desktop sends them, so keys the editor would
# lose for a person are lost here too.
#   desktop_test.sh [--wm openbox] EDITOR TRANSLATION_FILE_TOOL
# Run it on an X display without other windows (xvfb-run -a ...). With --wm the window
# manager is started first, and the hints a window manager reads are checked too.
# EDITOR_LAUNCH, when set, is the command the editor is started through (wine_run.sh sets
# it to Wine's loader to run the Windows build the same way). CLIENT_X and CLIENT_Y say
# where the form's client area lies in its X window (3, 22: the X window is the whole
# Win32 window, frame and caption drawn by the layer, or by Wine for its unmanaged windows).
# SCALE_DPI says the desktop's scale (192 for 200 %): clicks go to the scaled places, and
# the form must be shown at that size.
set -euo pipefail

wm=none
while [ $# -gt 2 ]; do
    case $1 in
    --wm) wm=$2; shift 2 ;;
    *) break ;;
    esac
done
editor=$1
tool=$2
work=$(mktemp -d /tmp/desktop-test.XXXXXX)
editor_pid=""
wm_pid=""

stop() {
    [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    return 0
}
fail() {
    echo "FAIL ($wm): $*" >&2
    import -window root "$work/screen.png" 2>/dev/null && echo "screen at failure: $work/screen.png" >&2
    stop
    exit 1
}
trap stop EXIT

if [ "$wm" != none ]; then
    "$wm" >/dev/null 2>&1 &
    wm_pid=$!
    for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
fi

# shellcheck source=tests/desktop/form_driver.sh
. "$(dirname "$0")/form_driver.sh"
type_text() { xdotool type --delay 30 -- "$1"; sleep 0.3; }
key() { xdotool key "$@"; sleep 0.4; }
shown() { xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -qx "$2"; }
alive() { kill -0 "$editor_pid" 2>/dev/null; }
# Keys the user presses while a box is up; the box must take them.
answer_box() {  # caption, then the keys
    local caption=$1 box
    shift
    box=$(box_window "$caption") || fail "no \"$caption\" box"
    key "$@"
    shown "^$caption\$" "$box" && fail "the \"$caption\" box stayed after $*"
    alive || fail "the editor ended when the \"$caption\" box was answered"
}
start_editor() {  # in the work directory, in the background
    # shellcheck disable=SC2086
    (cd "$work" && exec ${EDITOR_LAUNCH:-} ./"$(basename "$editor")") &
}
shot() { import -window root "$work/$1.png" 2>/dev/null || true; }

# A dictionary of four entries made by the companion tool; the first one's description
# fills its slot without a terminator, which a pass replaces, saying so in two boxes (the
# form never shows that entry: storing it would cut the description).
entry() {  # record keyWords description
    printf '[entry %s]\nmode: 1\nreplyKind: 3\nwordClass: 2\nreplyRef: "na"\nkeyWords: "%s"\nreplyText: "said %s"\ndescription: "%s"\n' \
        "$1" "$2" "$2" "$3"
}
full=$(printf 'w%.0s' $(seq 255))
{
    echo "[header]"
    entry 2 alpha "" | sed "s/^description: .*/description.full: \"$full\"/"
    entry 3 beta "the second word"
    entry 4 gamma "the third word"
    entry 5 omega "the last word"
} > "$work/start.txt"
cp "$editor" "$work/"
"$tool" import "$work/start.txt" "$work/TranslationFile.dat"

unset WAYLAND_DISPLAY
# A keyboard with é on a key of its own, as a person typing it has: xdotool would
# otherwise lend a key that name for a moment, and a busy editor reads the key after.
setxkbmap fr
start_editor
editor_pid=$!
form=$(form_window) || fail "the editor's form did not appear"
sleep 0.5
[ "$wm" = none ] || xprop -id "$form" _NET_WM_ICON | grep -q "Icon (" || fail "the form has no icon"
size=$(xdotool getwindowgeometry "$form" | sed -n 's/.*Geometry: //p')
[ -z "${CLIENT_X:-}" ] && { [ "$size" = "$(device 801)x$(device 465)" ] || fail "the form is $size at $dpi DPI"; }

# The caption drags the form, whoever moves it (the window manager, or nobody but the
# editor itself).
position() { xdotool getwindowgeometry "$1" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p'; }
read -r x0 y0 < <(position "$form")
xdotool mousemove --window "$form" "$(device 200)" "$(device $((client_y / 2)))" mousedown 1
for _ in 1 2 3 4; do xdotool mousemove_relative -- 10 5; sleep 0.1; done
xdotool mouseup 1
sleep 0.5
read -r x1 y1 < <(position "$form")
# The pointer moved 40 x 20 device pixels; a fractional scale rounds the program's move.
near() { [ $(($1 - $2)) -le $((dpi / 96)) ] && [ $(($2 - $1)) -le $((dpi / 96)) ]; }
if ! near $((x1 - x0)) 40 || ! near $((y1 - y0)) 20; then
    fail "the caption dragged the form from $x0,$y0 to $x1,$y1"
fi

click_control 416 346 71 20   # Down: from entry 5 to 4
click_control 416 346 71 20   # Down: to 3, "beta"
click_control 8 147 415 20    # into field 6, the key words, after their text
type_text " two é"             # stored as the Windows-1252 byte E9
click_control 13 321 177 21   # the Find box
type_text "zulu"
click_control 195 321 70 20   # Find: stores entry 3, finds nothing, shows the last entry
box=$(box_window "Not Found") || fail "no \"Not Found\" box after Find"
shot "box-$wm"
# To a window manager a message box is a dialog belonging to the form's window.
if [ "$wm" != none ]; then
    xprop -id "$box" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$form")" || fail "the box is not transient for the form"
    xprop -id "$box" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_DIALOG || fail "the box is not typed a dialog"
fi
# Typing and Alt+F4 while the box is up reach the box, never the form beneath it: the
# screen does not change while typing (the form's Find field would show it).
import -window root "$work/before.png"
type_text "qq"
import -window root "$work/after.png"
changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
[ "$changed" = 0 ] || fail "typing while the box was up changed $changed pixels"
answer_box "Not Found" alt+F4
[ "$(form_window)" = "$form" ] || fail "the form went with the box"
click_control 416 346 71 20   # Down: to entry 4, "gamma"
click_control 8 291 515 20    # field 12, the description, right after the box closed
type_text " x"
click_control 416 321 71 20   # Up: stores entry 4, shows entry 5

# A pass: extract words replaces entry 2's overlong description, showing two boxes, and
# shows the form anew on the rebuilt dictionary.
click_control 167 373 70 20
answer_box "unused..." Return
answer_box "unused..." Return
form=$(form_window) || fail "the form did not come back after the pass"
sleep 0.5
click_control 416 346 71 20   # Down: entry 4
click_control 8 123 415 20    # field 5, the reply reference
type_text "-p"
click_control 416 321 71 20   # Up: stores entry 4

# A second editor on the same directory cannot open the files and says so twice, then
# ends. The user clicks each of its boxes and presses Enter.
start_editor
second_pid=$!
for _ in 1 2; do
    box=$(box_window "error...MAIN...") || fail "the second editor showed no error box"
    xdotool mousemove --window "$box" "$(device 20)" "$(device 40)" click 1
    sleep 0.3
    key Return
done
for _ in $(seq 50); do kill -0 "$second_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$second_pid" 2>/dev/null && fail "the second editor is still running"
wait "$second_pid" || true
alive || fail "the first editor ended with the second"
click_control 416 346 71 20   # Down: entry 4
click_control 8 195 415 20    # field 8, the reply text, after the other editor's boxes
type_text "!"
# Through the desktop's clipboard into field 7, the translation. Shift+Home selects, as in
# every Win32 edit; a classic one takes Ctrl+A for no command.
key shift+Home ctrl+c
click_control 8 171 415 20
key ctrl+v
shot "form-$wm"
click_control 700 321 70 20   # OK: stores and ends the program

for _ in $(seq 50); do alive || break; sleep 0.1; done
alive && fail "the editor is still running after OK"
status=0
wait "$editor_pid" || status=$?
editor_pid=""
[ "$status" -eq 0 ] || fail "the editor ended with exit code $status"
[ ! -e "$work/TranslationFileNEW.dat" ] || fail "TranslationFileNEW.dat was left behind"

# What the dictionary must hold: entry 3 with its key words edited, entry 4 with the
# edits made after the boxes and the pasted translation, entry 2 with its replaced
# description.
{
    echo "[header]"
    entry 2 alpha "this entry caused a varable overload"
    entry 3 "beta two é" "the second word" | sed 's/said beta two é/said beta/'
    entry 4 gamma "the third word x" |
        sed 's/^replyRef: "na"/replyRef: "na-p"/; s/said gamma"/said gamma!"/; s/^keyWords: .*/&\ntranslation: "said gamma!"/'
    entry 5 omega "the last word"
} > "$work/expected.txt"
"$tool" import "$work/expected.txt" "$work/expected.dat"
"$tool" export "$work/expected.dat" > "$work/expected.export"
"$tool" export "$work/TranslationFile.dat" > "$work/actual.export" || fail "the dictionary is no longer a translation file"
# Bytes a store leaves after a text's terminator, and what a pass leaves in the header
# besides the count, are the program's own business.
entries() { awk '/^\[entry/ { e = 1 } /^count:/ || e' "$1" | grep -v '\.after: '; }
if ! diff -q <(entries "$work/expected.export") <(entries "$work/actual.export") >/dev/null; then
    diff -u <(entries "$work/expected.export") <(entries "$work/actual.export") >&2 || true
    fail "the dictionary does not hold what was typed"
fi
[ -n "${DESKTOP_SHOTS:-}" ] && cp "$work"/*.png "$DESKTOP_SHOTS/" 2>/dev/null
rm -rf "$work"
echo "PASS ($wm): typed after every kind of box, boxes kept their keys, closed through the desktop"
