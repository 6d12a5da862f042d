#!/usr/bin/env bash
# The editor on the largest dictionary it can address (1,000,000 entries, 2 GB, every byte
# really written) against dd moving the same bytes, and on 1,000 entries beside it, to
# show that nothing but the passes and Find grows with the file, and memory least of all.
#   bench/large_dictionary.sh [REPEATS]     (BUILD_DIR, default build; DISPLAY_NUMBER, default 171: it uses the next two)
# The dictionaries are made once in BUILD_DIR/bench/dictionaries/ and kept for the next
# run; the benchmark leaves their bytes as it found them. Each of REPEATS rounds times dd
# and the editor back to back, so the ratios see the same machine load; the medians are
# printed last. Find and the pass are set against dd in 1 MiB blocks (what the machine
# allows; targets 1.5 and 1.1) and against dd a record at a time. Start-up to the first frame is the real executable under Xvfb
# (bench/measure.sh), which needs xvfb-run.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
repeats="${1:-3}"
display_number="${DISPLAY_NUMBER:-171}"
record=2056

cmake --build "$build" -j2 --target editor_benchmark large_dictionary_benchmark translation-editor >/dev/null
maker="$build/bench/editor_benchmark"
benchmark="$build/bench/large_dictionary_benchmark"
store="$build/bench/dictionaries"
results="$(mktemp -d)"
# An interrupted pass leaves a 2 GB work file or copy beside a dictionary: none is kept.
trap 'rm -rf "$results" "$store/scratch" "$store"/*/TranslationFileNEW.dat "$store"/*/.copy-*' EXIT

# The dictionary of this many entries, made unless it is there whole and without holes.
dictionary() {
    local entries=$1 directory="$store/$1"
    local file="$directory/TranslationFile.dat" bytes=$((($1 + 1) * record))
    if [ ! -f "$file" ] || [ "$(stat -c %s "$file")" -ne "$bytes" ] ||
        [ $(($(stat -c '%b * %B' "$file"))) -lt "$bytes" ]; then
        mkdir -p "$directory"
        rm -f "$directory"/*
        "$maker" make "$directory" "$entries"
    fi
    echo "$directory"
}

seconds() {  # wall time of the command, in seconds
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo "scale=6; ($end - $start) / 1000000000" | bc
}

large=$(dictionary 1000000)
small=$(dictionary 1000)
file="$large/TranslationFile.dat"
records=$(($(stat -c %s "$file") / record))
cat "$file" >/dev/null  # the page cache holds it, as it would for a user who just worked on it

for round in $(seq "$repeats"); do
    dd_read=$(seconds dd if="$file" of=/dev/null bs=$record)
    dd_write=$(seconds dd if=/dev/zero of="$store/scratch" bs=$record count="$records" conv=fsync)
    rm -f "$store/scratch"
    dd_read_1m=$(seconds dd if="$file" of=/dev/null bs=1M)
    dd_write_1m=$(seconds dd if=/dev/zero of="$store/scratch" bs=1M count="$(stat -c %s "$file")" iflag=count_bytes conv=fsync)
    rm -f "$store/scratch"
    # A browsing command moves three records: it stores one, reads the header and one.
    dd_three=$(seconds dd if="$file" of=/dev/null bs=$record skip=$((records / 2)) count=3)
    # Add writes two records and flushes them.
    dd_flushed=$(seconds dd if=/dev/zero of="$store/scratch" bs=$record count=2 conv=fsync)
    rm -f "$store/scratch"
    {
        echo "dd_read $dd_read"
        echo "dd_flushed $dd_flushed"
        echo "dd_write $dd_write"
        echo "dd_read_1m $dd_read_1m"
        echo "dd_write_1m $dd_write_1m"
        echo "dd_three $dd_three"
        echo "load $(cut -d' ' -f1 /proc/loadavg)"
    } >"$results/dd.$round"
    "$benchmark" "$large" >"$results/large.$round"
    "$benchmark" "$small" >"$results/small.$round"
    echo "round $round: dd read ${dd_read}s (1M: ${dd_read_1m}s), dd write (1M, fsync) ${dd_write_1m}s, editor find $(sed -n 's/^find //p' "$results/large.$round")s," \
        "pass $(sed -n 's/^pass //p' "$results/large.$round")s, load $(cut -d' ' -f1 /proc/loadavg)"
done

python3 - "$results" "$repeats" <<'PY'
import statistics, sys
folder, rounds = sys.argv[1], int(sys.argv[2])
def read(name, r):
    return {k: float(v) for k, v in (line.split() for line in open(f"{folder}/{name}.{r}"))}
dd = [read("dd", r) for r in range(1, rounds + 1)]
large = [read("large", r) for r in range(1, rounds + 1)]
small = [read("small", r) for r in range(1, rounds + 1)]
med = statistics.median
references = {
    "find": ("dd read", lambda d: d["dd_read"]),
    "pass": ("dd read + dd write (fsync)", lambda d: d["dd_read"] + d["dd_write"]),
    "add": ("dd of 2 records (fsync)", lambda d: d["dd_flushed"]),
    "end": ("dd of 2 records (fsync)", lambda d: d["dd_flushed"]),
}
print(f"median of {rounds} rounds; load average {min(d['load'] for d in dd):.1f} to {max(d['load'] for d in dd):.1f} on 2 cores")
print(f"{'operation':<10}{'1,000 entries':>15}{'1,000,000':>14}{'dd reference':>14}  ratio (1,000,000 / dd)")
for op in ["startup", "find", "goto", "up", "down", "add", "pass", "end"]:
    name, reference = references.get(op, ("dd of 3 records", lambda d: d["dd_three"]))
    ratios = [l[op] / reference(d) for l, d in zip(large, dd)]
    ms = lambda values: f"{med(values) * 1000:.2f} ms"
    print(f"{op:<10}{ms(s[op] for s in small):>15}{ms(l[op] for l in large):>14}"
          f"{ms(reference(d) for d in dd):>14}  {med(ratios):.2f} against {name}")
for op, name, reference, target in [
    ("find", "dd bs=1M read", lambda d: d["dd_read_1m"], 1.5),
    ("pass", "dd bs=1M read + write (fsync)", lambda d: d["dd_read_1m"] + d["dd_write_1m"], 1.1),
]:
    ratios = [l[op] / reference(d) for l, d in zip(large, dd)]
    print(f"{op} on 1,000,000 against {name}: " + ", ".join(f"{r:.2f}" for r in ratios) + f" (median {med(ratios):.2f}, target <= {target})")
for what in ["rss_after_startup_kb", "peak_rss_kb"]:
    print(f"{what}: 1,000 entries {med(s[what] for s in small):.0f} kB, 1,000,000 entries {med(l[what] for l in large):.0f} kB")
PY

# The real executable: exec to first frame on screen, and its memory then.
if command -v xvfb-run >/dev/null; then
    for directory in "$small" "$large"; do
        display_number=$((display_number + 1))  # the last server may still hold the one before
        echo "real executable, $(basename "$directory") entries:"
        xvfb-run -n "$display_number" -s "-screen 0 1280x1024x24" \
            "$here/bench/measure.sh" "$build/translation-editor" "$directory/TranslationFile.dat" >"$results/measured"
        if [ "$directory" = "$small" ]; then
            grep -v '^idle' "$results/measured"
        else  # its clicks come faster than 2 GB passes: only the start-up counts
            grep -E '^(start-up|processor time of the editor until|load average|VmHWM|VmRSS)' "$results/measured"
        fi
    done
fi
