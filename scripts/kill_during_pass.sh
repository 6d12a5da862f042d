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
tool="$build/tests/benchmarks/editor_benchmark"

work="$(mktemp -d)"
target="$elsewhere/kill-during-pass-$$.dat"
trap 'rm -rf "$work" "$target" "$target.rebuild~"' EXIT
"$tool" make "$work" "$entries"
dictionary="$work/TranslationFile.dat"
cp "$dictionary" "$work/old.ref"
# The run without a kill gives the only other whole state.
mkdir "$work/clean" && cp "$dictionary" "$work/clean/"
start=$(date +%s%N)
"$tool" pass "$work/clean" >/dev/null
seconds=$(echo "scale=3; ($(date +%s%N) - $start) / 1000000000" | bc)
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

old=0 new=0 torn=0 leftovers=0
for i in $(seq 1 "$kills"); do
    kind=$([ $((i % 2)) -eq 0 ] && echo linked || echo folder)
    place "$kind"
    delay=$(awk -v s="$seconds" -v r="$RANDOM" 'BEGIN { printf "%.3f", s * r / 32767 }')
    "$tool" pass "$work" >/dev/null 2>&1 &
    pid=$!
    sleep "$delay"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if cmp -s "$dictionary" "$work/old.ref"; then old=$((old + 1))
    elif cmp -s "$dictionary" "$work/new.ref"; then new=$((new + 1))
    else
        torn=$((torn + 1))
        echo "kill $i ($kind, after ${delay}s): the dictionary is neither old nor new:" \
            "$(stat -L -c %s "$dictionary") bytes; $(cmp "$dictionary" "$work/new.ref" 2>&1 | head -1)"
    fi
    "$tool" start "$work" >/dev/null 2>&1
    left=$(find "$work" "$elsewhere" -maxdepth 1 \( -name '*.rebuild~' -o -name '.copy-*' \) 2>/dev/null | wc -l)
    if [ "$left" -ne 0 ]; then leftovers=$((leftovers + 1)); echo "kill $i ($kind): $left temporary files after the next start"; fi
done
echo "kills: $kills (a run takes ${seconds}s)  old: $old  new: $new  torn: $torn  temporaries left after a start: $leftovers"
[ "$torn" -eq 0 ] && [ "$leftovers" -eq 0 ]
