#!/usr/bin/env bash
# Resident memory of the real editor after start-up and after many clean-up passes, on a
# display (run it under Xvfb: xvfb-run -n 173 bench/pass_memory.sh). Each pass closes the
# form and shows it again, so whatever a showing leaves behind adds up here; the X windows
# of the form's title, shown or not, are counted too.
#   bench/pass_memory.sh [PASSES] [EDITOR] [DICTIONARY]
set -euo pipefail
passes=${1:-100}
editor=${2:-build/translation-editor}
dictionary=${3:-build/bench/dictionaries/1000/TranslationFile.dat}
title='^Add words To translation File$'
work=$(mktemp -d /tmp/editor-passes.XXXXXX)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cp "$editor" "$work/translation-editor"
cp "$dictionary" "$work/TranslationFile.dat"

(cd "$work" && exec ./translation-editor) &
pid=$!
form=$(timeout 20 xdotool search --sync --onlyvisible --name "$title" | head -1)
sleep 1

report() {
    echo "$1: $(grep -E 'VmRSS|VmHWM' "/proc/$pid/status" | tr -s ' \t' ' ' | tr '\n' ' ')" \
        "windows titled like the form: $(xdotool search --name "$title" | wc -l)"
}
report "after start-up"

for pass in $(seq "$passes"); do
    before=$(stat -c %i "$work/TranslationFile.dat")
    # "make 1 = 0 if > 10" (its rectangle 167, 399, 100 x 20 in the form's client area at
    # 3, 22): keeps every entry, and the rebuild puts a new file in the dictionary's place.
    xdotool mousemove --window "$form" 220 431 click 1
    for _ in $(seq 100); do
        [ "$(stat -c %i "$work/TranslationFile.dat")" != "$before" ] && break
        sleep 0.05
    done
    [ "$(stat -c %i "$work/TranslationFile.dat")" != "$before" ] || { echo "pass $pass did not replace the dictionary" >&2; exit 1; }
    form=$(timeout 10 xdotool search --sync --onlyvisible --name "$title" | head -1)
    sleep 0.1
    case $pass in 1 | 10 | 50 | "$passes") report "after $pass passes" ;; esac
done
