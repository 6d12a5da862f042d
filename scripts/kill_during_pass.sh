#!/usr/bin/env bash
# Kills the editor with SIGKILL at random moments of a run in which it starts on a large
# dictionary, makes one clean-up pass and ends; then starts it again. After every kill the dictionary must be the old
# one or the new one, whole, and after the next start no temporary file may be left.
# Half the kills have the dictionary in the program's folder (the work file is renamed over
# it), half have it linked to a file on another file system (a copy beside it is renamed).
#   scripts/kill_during_pass.sh [KILLS]        ENTRIES=100000 by default
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
entries="${ENTRIES:-100000}"
kills="${1:-40}"
elsewhere="${ELSEWHERE:-/dev/shm}"   # another file system than the folder's

cmake --build "$build" -j2 --target editor_benchmark >/dev/null
tool="$build/bench/editor_benchmark"

work="$(mktemp -d)"
target="$elsewhere/kill-during-pass-$$.dat"
trap 'rm -rf "$work" "$target" "$target.rebuild~"' EXIT
"$tool" make "$work" "$entries"
dictionary="$work/TranslationFile.dat"
cp "$dictionary" "$work/old.ref"
# The run without a kill gives the only other whole state.
mkdir "$work/clean" && cp "$dictionary" "$work/clean/"
"$tool" pass "$work/clean" >/dev/null
mv "$work/clean/TranslationFile.dat" "$work/new.ref"
rm -rf "$work/clean"
cmp -s "$work/old.ref" "$work/new.ref" && { echo "the pass must change the dictionary"; exit 1; }
place() {  # puts the old dictionary in the folder, or on the other file system behind a link
    rm -f "$dictionary" "$target"
    if [ "$1" = linked ]; then
        cp "$work/old.ref" "$target" && ln -s "$target" "$dictionary"
    else
        cp "$work/old.ref" "$dictionary"
    fi
}

timed() {  # seconds a whole run takes with the dictionary placed as $1
    place "$1"
    local start
    start=$(date +%s%N)
    "$tool" pass "$work" >/dev/null
    echo "scale=3; ($(date +%s%N) - $start) / 1000000000" | bc
}
declare -A seconds=([folder]=$(timed folder) [linked]=$(timed linked))

old=0 new=0 torn=0 leftovers=0 ended=0 found=0
for i in $(seq 1 "$kills"); do
    kind=$([ $((i % 2)) -eq 0 ] && echo linked || echo folder)
    place "$kind"
    # Up to a little past the time a whole run takes, so that kills after the rename come too.
    delay=$(awk -v s="${seconds[$kind]}" -v r="$RANDOM" 'BEGIN { printf "%.3f", 1.2 * s * r / 32767 }')
    "$tool" pass "$work" >/dev/null 2>&1 &
    pid=$!
    sleep "$delay"
    if [ "$(awk '{ print $3 }' /proc/"$pid"/stat 2>/dev/null)" = Z ]; then ended=$((ended + 1)); fi
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if cmp -s "$dictionary" "$work/old.ref"; then old=$((old + 1))
    elif cmp -s "$dictionary" "$work/new.ref"; then new=$((new + 1))
    else
        torn=$((torn + 1))
        echo "kill $i ($kind, after ${delay}s): the dictionary is neither old nor new:" \
            "$(stat -L -c %s "$dictionary") bytes; $(cmp "$dictionary" "$work/new.ref" 2>&1 | head -1)"
    fi
    temporaries() { find "$work" "$elsewhere" -maxdepth 1 \( -name '*.rebuild~' -o -name '.copy-*' \) 2>/dev/null | wc -l; }
    [ "$(temporaries)" -ne 0 ] && found=$((found + 1))
    "$tool" start "$work" >/dev/null 2>&1
    left=$(temporaries)
    if [ "$left" -ne 0 ]; then leftovers=$((leftovers + 1)); echo "kill $i ($kind): $left temporary files after the next start"; fi
done
echo "kills: $kills (a run takes ${seconds[folder]}s, linked ${seconds[linked]}s; $ended had ended before their kill)  old: $old  new: $new  torn: $torn  kills that left a temporary: $found, temporaries left after the next start: $leftovers"
[ "$torn" -eq 0 ] && [ "$leftovers" -eq 0 ]
