#!/usr/bin/env bash
# Find and each clean-up pass of the editor on a 100,000-entry dictionary, against the
# plain file operations they amount to: Find against reading the file with dd; a pass
# against dd reading it and dd writing as many bytes, flushed, as the pass flushes its
# work file (the rebuild renames that file, it copies nothing). With LINKED=1 the
# dictionary is a link to a file on another file system (ELSEWHERE, /dev/shm by default),
# where the rebuild must copy the work file beside it; that run adds cp to the baseline.
# Two baselines: dd in 2056-byte blocks, one system call a record as the editor once
# made, and dd in 1 MiB blocks, what the machine allows; the targets are against the
# second. REPEATS rounds (default 3), each timing dd and the editor back to back so that
# both see the same load; BEFORE=path/to/another/editor_benchmark times that build too, in
# the same rounds. Prints each round's times and ratios, and the load average.
#   bench/editor_commands.sh [REPEATS]
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
entries="${ENTRIES:-100000}"
repeats="${1:-3}"
before="${BEFORE:-}"

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
bytes=$(stat -L -c %s "$file")
echo "dictionary: $entries entries, $bytes bytes; $(nproc) cores"
if [ "$linked" = 1 ]; then
    echo "dictionary linked to $target; cp of it joins the pass baselines"
fi

ratio() { echo "scale=2; $1 / $2" | bc; }

# Prints the editor's times from `tool` against the round's baselines.
report() {
    local label=$1 tool=$2
    "$tool" run "$work" | while read -r name time; do
        case "$name" in
        find) echo "  $label find ${time}s  to dd 1M read: $(ratio "$time" "$read_1m") (target <= 1.5), to dd 2056: $(ratio "$time" "$read_record")" ;;
        pass*) echo "  $label $name ${time}s  to dd 1M read+write: $(ratio "$time" "$pass_1m") (target <= 1.1), to dd 2056: $(ratio "$time" "$pass_record")" ;;
        *) echo "  $label $name ${time}s" ;;
        esac
    done
}

for round in $(seq "$repeats"); do
    read_record=$(seconds dd if="$file" of=/dev/null bs=2056)
    write_record=$(seconds dd if=/dev/zero of="$work/written" bs=2056 count="$records" conv=fsync)
    read_1m=$(seconds dd if="$file" of=/dev/null bs=1M)
    write_1m=$(seconds dd if=/dev/zero of="$work/written" bs=1M count="$bytes" iflag=count_bytes conv=fsync)
    rm -f "$work/written"
    pass_record=$(echo "scale=4; $read_record + $write_record" | bc)
    pass_1m=$(echo "scale=4; $read_1m + $write_1m" | bc)
    if [ "$linked" = 1 ]; then
        cp_copy=$(seconds cp "$file" "$target.copied")
        rm -f "$target.copied"
        pass_record=$(echo "scale=4; $pass_record + $cp_copy" | bc)
        pass_1m=$(echo "scale=4; $pass_1m + $cp_copy" | bc)
    fi
    echo "round $round, load average $(cut -d' ' -f1-3 /proc/loadavg):"
    echo "  dd 2056: read ${read_record}s, write ${write_record}s (fsync); dd 1M: read ${read_1m}s, write ${write_1m}s (fsync)"
    report editor "$tool"
    if [ -n "$before" ]; then report before "$before"; fi
done
