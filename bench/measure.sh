#!/usr/bin/env bash
# Measures the built editor on a display (run it under Xvfb: xvfb-run -a bench/measure.sh):
# start-up from exec to the first frame on screen (median of 20 runs), processor time
# while it sits idle for 10 s and while each kind of box waits for 10 s, and its resident
# memory after one pass and after a hundred.
#   bench/measure.sh [EDITOR] [DICTIONARY]
# EDITOR_SCALE=2 measures on a 200 % screen (SCALE_DPI follows it for the clicks);
# SCALES="1 2" takes the start-ups at each of those scales in turn and compares them;
# STARTUP_ONLY=1 stops after the start-up.
set -euo pipefail
if [ -n "${EDITOR_SCALE:-}" ]; then
    SCALE_DPI=$(awk -v s="$EDITOR_SCALE" 'BEGIN { printf "%d", s * 96 + 0.5 }')
    export SCALE_DPI
fi
# shellcheck source=tests/desktop/form_driver.sh
. "$(dirname "$0")/../tests/desktop/form_driver.sh"
editor=${1:-build/translation-editor}
dictionary=${2:-build/sample/TranslationFile.dat}
work=$(mktemp -d /tmp/editor-measure.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp "$editor" "$work/translation-editor"
# WM=openbox measures under a window manager.
if [ -n "${WM:-}" ]; then
    "$WM" >/dev/null 2>&1 &
    wm_pid=$!
    trap 'kill "$wm_pid" 2>/dev/null; rm -rf "$work"' EXIT
    sleep 1
fi
cp "$dictionary" "$work/TranslationFile.dat"

# Starts the editor; prints its pid once its first frame is on screen, and the
# milliseconds from exec to that frame (the backend logs the frame's time when asked).
start_editor() {
    rm -f "$work/started" "$work/log"
    (cd "$work" && date +%s.%N > started && EDITOR_TRACE_FIRST_FRAME=1 exec ./translation-editor 2> log) &
    local pid=$!
    for _ in $(seq 500); do
        grep -q "first frame at" "$work/log" 2>/dev/null && break
        sleep 0.01
    done
    local frame processor
    frame=$(sed -n 's/first frame at \([0-9.]*\).*/\1/p' "$work/log")
    processor=$(sed -n 's/.* after \([0-9.]*\) ms of processor time/\1/p' "$work/log")
    [ -n "$frame" ] || { echo "no frame came; the editor said: $(cat "$work/log")" >&2; kill "$pid"; exit 1; }
    echo "$pid $(awk -v a="$(cat "$work/started")" -v b="$frame" 'BEGIN { printf "%.1f", (b - a) * 1000 }') $processor"
}

# The median of the numbers on standard input (blank-separated), and with the least and
# the greatest.
median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2 }'; }
summary() {
    local values
    values=$(tr ' ' '\n' | grep . | sort -g)
    printf 'median %.1f ms (min %.1f, max %.1f)' "$(median <<<"$values")" "$(head -1 <<<"$values")" "$(tail -1 <<<"$values")"
}

# A desktop's panel and window manager stay connected to its display server. A server
# left without clients resets and compiles its keyboard map anew for the next one,
# which is no part of the editor's start-up.
xprop -root -spy >/dev/null 2>&1 &
keeper=$!
trap 'kill "$keeper" 2>/dev/null; kill "${wm_pid:-}" 2>/dev/null; rm -rf "$work"' EXIT

# The scales take turns, so that a change in the machine's load falls on all alike.
scales=${SCALES:-${EDITOR_SCALE:-1}}
declare -A times processor_times
for _ in $(seq 20); do
    for scale in $scales; do
        read -r pid ms processor < <(EDITOR_SCALE=$scale start_editor)
        times[$scale]+="$ms "
        processor_times[$scale]+="$processor "
        kill "$pid"; wait "$pid" 2>/dev/null || true
        rm -f "$work/TranslationFileNEW.dat"
    done
done
first=${scales%% *}
for scale in $scales; do
    echo "scale $scale: start-up, exec to first frame on screen, 20 runs: $(summary <<<"${times[$scale]}")"
    echo "scale $scale: processor time of the editor until then: $(summary <<<"${processor_times[$scale]}")"
    if [ "$scale" != "$first" ]; then
        awk -v a="$(median <<<"${times[$scale]}")" -v b="$(median <<<"${times[$first]}")" -v s="$scale" -v f="$first" \
            'BEGIN { printf "scale %s: start-up %.2f times that at scale %s\n", s, a / b, f }'
    fi
done
echo "load average meanwhile: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
[ -n "${STARTUP_ONLY:-}" ] && exit 0

read -r pid _ < <(start_editor)
sleep 1
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
processor_for_10s() {  # what
    local before after
    sleep 1
    before=$(ticks)
    sleep 10
    after=$(ticks)
    printf '%s for 10 s: %s ticks of %s a second = %.2f %% of one core\n' "$1" $((after - before)) "$hz" \
        "$(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { print t * 100 / (hz * 10) }')"
}
rss() { sed -n 's/^VmRSS:[[:space:]]*//p' "/proc/$pid/status"; }
processor_for_10s "idle"
grep -E 'VmRSS|VmHWM' "/proc/$pid/status" | tr -s ' \t' ' '

form=$(form_window)
click_control 13 321 177 21 && xdotool type "no such word at all"
click_control 195 321 70 20   # Find
box_window "Not Found" >/dev/null && processor_for_10s "the Not Found box waiting"
xdotool key Return; sleep 0.5
(cd "$work" && exec ./translation-editor 2>/dev/null) &
second=$!
box_window "error...MAIN..." >/dev/null && processor_for_10s "the editor while a second one's error box waits"
kill "$second"; wait "$second" 2>/dev/null || true
click_control 167 373 70 20   # extract words: the sample has overlong descriptions
if box_window "unused..." >/dev/null; then
    processor_for_10s "a pass's first box waiting"
    xdotool key Return; sleep 0.5
    box_window "unused..." >/dev/null && processor_for_10s "a pass's second box waiting"
    while box_window "unused..." >/dev/null 2>&1; do xdotool key Return; sleep 0.2; done
fi
form=$(form_window)
sleep 1
one=$(rss)
for _ in $(seq 99); do
    click_control 167 399 100 20   # make 1 = 0 if > 10: a pass without boxes
    form=$(form_window)
done
sleep 1
echo "resident memory after one pass: $one, after 100: $(rss)"
kill "$pid"; wait "$pid" 2>/dev/null || true
