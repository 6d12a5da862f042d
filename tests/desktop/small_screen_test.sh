#!/usr/bin/env bash
# The built editor on a screen smaller than its form (640 x 480): the form keeps its size,
# its caption is on the screen, and the user brings the rest into view with the keyboard
# (Alt+F7 or the window menu's Move, the arrow keys, Enter); then OK is reached and stores
# what was typed.
#   small_screen_test.sh EDITOR TRANSLATION_FILE_TOOL   (on a 640x480 X display)
set -euo pipefail
editor=$1
tool=$2
# shellcheck source=tests/desktop/one_editor.sh
. "$(dirname "$0")/one_editor.sh"
fail() {
    echo "FAIL: $*" >&2
    import -window root "$work/screen.png" 2>/dev/null && echo "screen at failure: $work/screen.png" >&2
    stop
    exit 1
}
key() { xdotool key "$@"; sleep 0.3; }
geometry() {  # x y width height of the form's X window; nothing when it is gone
    xdotool getwindowgeometry "$form" 2>/dev/null |
        sed -n 's/.*Position: \(-\{0,1\}[0-9]*\),\(-\{0,1\}[0-9]*\).*/\1 \2/p; s/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p' | tr '\n' ' '
    echo
}

start_editor
form=$(form_window) || fail "the form did not appear"
sleep 0.5
read -r x0 y0 width _ < <(geometry)
# 648 is as wide as a window a user sizes can be here (the screen and a 4-pixel frame).
[ "$width" -gt 648 ] || fail "the form was squeezed to $width pixels on a 640-pixel screen"
if ! { [ "$x0" -ge 0 ] && [ "$y0" -ge 0 ] && [ "$y0" -lt 460 ]; }; then
    fail "the form's caption is off the screen at $x0,$y0"
fi

# Alt+F7, then Escape: the form goes back where it was.
key alt+F7 Left Left Up Escape
read -r x y _ < <(geometry)
[ "$x $y" = "$x0 $y0" ] || fail "Escape left the form at $x,$y instead of $x0,$y0"
# The window menu's Move (Alt+Space, M), 24 steps of 8 pixels to the left, kept with Enter.
# The menu stays open after the Alt that opened it is let go.
key alt+space
key m
for _ in $(seq 24); do xdotool key Left; done
key Return
read -r x y _ < <(geometry) || fail "the form is gone: the keys of the move went to the form"
[ "$x $y" = "$((x0 - 192)) $y0" ] || fail "the keyboard move left the form at $x,$y, not $((x0 - 192)),$y0"

click_control 8 195 415 20    # field 8, the reply text, still on the screen
xdotool type --delay 30 "reached"
sleep 0.3
click_control 700 321 70 20   # OK, now on the screen: stores and ends
editor_end
[ "$status" -eq 0 ] || fail "the editor ended with exit status $status"
"$tool" export "$work/TranslationFile.dat" | grep -q '^replyText: "reached"$' || fail "OK did not store the typing"
rm -rf "$work"
echo "PASS: the form kept its width ($width) on a 640x480 screen and was moved by keyboard to reach OK"
