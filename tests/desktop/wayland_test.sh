#!/usr/bin/env bash
# The built editor on a Wayland compositor whose output has scale 2, as a person with a
# high-resolution Wayland desktop runs it: the scale comes from the output, the form is
# drawn one for one at the device's size (the very pixels it has on X11 at 200 %, not a
# small buffer the compositor enlarges), and a click on device pixels lands in the field
# the person sees there. weston runs nested in the X server: its X11 backend brings the
# keyboard and pointer (SDL 2.26 ends at start-up on a compositor that has none).
#   wayland_test.sh EDITOR TRANSLATION_FILE_TOOL
# Run it on an X display of 2048 x 1536 or more without other windows (xvfb-run -a ...).
set -euo pipefail
editor=$1
tool=$2
work=$(mktemp -d /tmp/wayland-test.XXXXXX)
editor_pid=""
weston_pid=""

stop() {
    [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
    return 0
}
fail() {
    echo "FAIL: $* (pictures and logs in $work)" >&2
    stop
    exit 1
}
trap stop EXIT

export SCALE_DPI=192
# shellcheck source=tests/desktop/form_driver.sh
. "$(dirname "$0")/form_driver.sh"
program=$(basename "$editor")
cp "$editor" "$work/"
printf '[header]\n[entry 2]\nmode: 1\nreplyKind: 3\nwordClass: 2\nreplyRef: "na"\nkeyWords: "alpha"\n' > "$work/start.txt"
"$tool" import "$work/start.txt" "$work/TranslationFile.dat"

# The form as X11 shows it at 200 %: what the compositor must show too. A stop signal
# ends the editor as its close box does, storing nothing.
(cd "$work" && EDITOR_SCALE=2 exec "./$program") &
editor_pid=$!
form=$(form_window) || fail "the form did not appear on X11"
sleep 0.5
import -window "$form" "$work/x11.png"
kill "$editor_pid"
wait "$editor_pid" || true
editor_pid=""

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=x11-backend.so --use-pixman --no-config --width=1024 --height=768 --scale=2 \
    --socket=wayland-test --debug > "$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/wayland-test" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/wayland-test" ] || fail "weston did not start"
# weston's own X window (xdotool does not find it by its name).
compositor=""
for _ in $(seq 50); do
    compositor=$(xwininfo -root -children | awk '/"Weston Compositor/ { print $1; exit }')
    [ -n "$compositor" ] && break
    sleep 0.1
done
[ -n "$compositor" ] || fail "weston shows no window"
# The pointer away from where the form opens: weston's screenshots show it.
xdotool mousemove 4 1500

# SDL_VIDEODRIVER chooses Wayland although DISPLAY is set, as a person would choose it.
(cd "$work" && WAYLAND_DISPLAY=wayland-test SDL_VIDEODRIVER=wayland EDITOR_DEBUG_OUTPUT=1 \
    exec "./$program" 2> "$work/debug.txt") &
editor_pid=$!
for _ in $(seq 100); do grep -q '^display: scale' "$work/debug.txt" && break; sleep 0.1; done
said=$(grep '^display: scale' "$work/debug.txt" || true)
[ "$said" = "display: scale 2 (the Wayland output's scale 2)" ] || fail "the editor said \"$said\""

# Where the X11 picture lies in the compositor's screenshot, pixel for pixel.
mkdir "$work/shots"
find_form() {
    python3 - "$work/x11.png" "$1" <<'PY'
import subprocess, sys
def raw(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True).stdout.split()
    return int(size[0]), int(size[1]), subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True).stdout
def first_navy(width, pixels):  # the caption's first pixel
    at = pixels.find(b"\x00\x00\x80")
    while at >= 0 and at % 3:
        at = pixels.find(b"\x00\x00\x80", at + 1)
    return (at // 3 % width, at // 3 // width) if at >= 0 else None
fw, fh, form = raw(sys.argv[1])
sw, sh, shot = raw(sys.argv[2])
a, b = first_navy(fw, form), first_navy(sw, shot)
if not a or not b or b[0] < a[0] or b[1] < a[1] or b[0] - a[0] + fw > sw or b[1] - a[1] + fh > sh:
    sys.exit(1)
x, y = b[0] - a[0], b[1] - a[1]
rows = [r for r in range(fh)
        if form[r * fw * 3:(r + 1) * fw * 3] != shot[((y + r) * sw + x) * 3:((y + r) * sw + x + fw) * 3]]
print(x, y, len(rows))
PY
}
found=""
for _ in $(seq 20); do
    rm -f "$work"/shots/*.png
    (cd "$work/shots" && WAYLAND_DISPLAY=wayland-test timeout 10 weston-screenshooter >/dev/null 2>&1) || true
    shots=("$work"/shots/*.png)
    if [ -e "${shots[0]}" ] && found=$(find_form "${shots[0]}") && [ "${found##* }" = 0 ]; then break; fi
    sleep 0.3
done
[ -n "$found" ] || fail "no form in weston's screenshot"
read -r form_x form_y differing <<< "$found"
[ "$differing" = 0 ] || fail "$differing rows of the form differ from its picture on X11"
sleep 0.5  # as a person looks at a window before clicking into it

# A click on the device pixels of field 6, the key words, and typing there; OK stores.
form=$compositor
client_x=$((client_x + form_x / 2))
client_y=$((client_y + form_y / 2))
click_control 8 147 415 20
xdotool type --delay 30 -- " two"
sleep 0.3
click_control 700 321 70 20
for _ in $(seq 50); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$editor_pid" 2>/dev/null && fail "the editor is still running after OK"
wait "$editor_pid" || fail "the editor ended with an error"
editor_pid=""
"$tool" export "$work/TranslationFile.dat" | grep -q '^keyWords: "alpha two"$' ||
    fail "the text typed after the click is not in the key words"
rm -rf "$work"
echo "PASS: scale 2 from the Wayland output, the form drawn as on X11 at 200 %, a click and typing reached field 6"
