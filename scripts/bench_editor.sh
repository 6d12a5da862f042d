#!/usr/bin/env bash
# Find and each clean-up pass of the editor on a 100,000-entry dictionary, against the
# plain file operations they amount to: Find against reading the file with dd; a pass
# against dd reading it, dd writing as many bytes (flushed, as the pass flushes its work
# file) and cp copying it (the rebuild). Prints the times and the ratios.
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
cp_copy=$(seconds cp "$file" "$work/copied")
rm -f "$work/written" "$work/copied"
baseline=$(echo "scale=4; $dd_read + $dd_write + $cp_copy" | bc)

echo "dictionary: $entries entries, $(stat -c %s "$file") bytes"
echo "dd read ${dd_read}s, dd write ${dd_write}s, cp ${cp_copy}s"
"$tool" run "$work" | while read -r name time; do
    if [ "$name" = find ]; then
        echo "find ${time}s  ratio to dd read: $(echo "scale=2; $time / $dd_read" | bc)  (target <= 1.5)"
    else
        echo "$name ${time}s  ratio to dd read + dd write + cp: $(echo "scale=2; $time / $baseline" | bc)  (target <= 2)"
    fi
done
