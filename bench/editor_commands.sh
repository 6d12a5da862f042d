#!/usr/bin/env bash
# Find and each clean-up pass of the editor on a 100,000-entry dictionary, against the
# plain file operations they amount to: Find against reading the file with dd; a pass
# against dd reading it and dd writing as many bytes, flushed, as the pass flushes its
# work file (the rebuild renames that file, it copies nothing). With LINKED=1 the
# dictionary is a link to a file on another file system (ELSEWHERE, /dev/shm by default),
# where the rebuild must copy the work file beside it; that run adds cp to the baseline.
# Prints the times and the ratios.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
entries="${ENTRIES:-100000}"

cmake --build "$build" -j2 --target editor_benchmark >/dev/null
tool="$build/bench/editor_benchmark"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$tool" make "$work" "$entries"
file="$work/TranslationFile.dat"
linked="${LINKED:-0}"
if [ "$linked" = 1 ]; then
    target="${ELSEWHERE:-/dev/shm}/bench-editor-$$.dat"
    trap 'rm -rf "$work" "$target"' EXIT
    mv "$file" "$target" && ln -s "$target" "$file"
fi
records=$((entries + 1))

seconds() {  # runs the command, prints its wall time in seconds
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo "scale=4; ($end - $start) / 1000000000" | bc
}

cat "$file" >/dev/null  # warm cache
dd_read=$(seconds dd if="$file" of=/dev/null bs=2056)
dd_write=$(seconds dd if=/dev/zero of="$work/written" bs=2056 count="$records" conv=fsync)
rm -f "$work/written"
baseline=$(echo "scale=4; $dd_read + $dd_write" | bc)
target_ratio=1.05
if [ "$linked" = 1 ]; then
    cp_copy=$(seconds cp "$file" "$target.copied")
    rm -f "$target.copied"
    baseline=$(echo "scale=4; $baseline + $cp_copy" | bc)
    echo "dictionary linked to $target; cp ${cp_copy}s joins the baseline"
fi

echo "dictionary: $entries entries, $(stat -L -c %s "$file") bytes"
echo "dd read ${dd_read}s, dd write ${dd_write}s (fsync)"
"$tool" run "$work" | while read -r name time; do
    case "$name" in
    find) echo "find ${time}s  ratio to dd read: $(echo "scale=2; $time / $dd_read" | bc)  (target <= 1.5)" ;;
    pass*) echo "$name ${time}s  ratio to the baseline ${baseline}s: $(echo "scale=3; $time / $baseline" | bc)  (target <= $target_ratio)" ;;
    *) echo "$name ${time}s" ;;
    esac
done
