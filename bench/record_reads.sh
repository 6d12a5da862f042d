#!/usr/bin/env bash
# Reads every record of a 100,000-record dictionary through readRecord and compares the
# time with dd reading the same file in 2056-byte blocks, both from a warm page cache.
# Prints both times and their ratio (readRecord / dd). Usage: bench/record_reads.sh [build dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
records=100000
record_length=2056

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target record_read_benchmark >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dictionary="$work/TranslationFile.dat"
head -c $((records * record_length)) /dev/urandom >"$dictionary"
cat "$dictionary" >/dev/null  # warm the page cache

best_dd=""
for _ in 1 2 3 4 5; do
    start=$(date +%s%N)
    dd if="$dictionary" of=/dev/null bs=$record_length status=none
    elapsed=$(($(date +%s%N) - start))
    if [ -z "$best_dd" ] || [ "$elapsed" -lt "$best_dd" ]; then best_dd=$elapsed; fi
done

EDITOR_BENCH_DICTIONARY="$dictionary" "$build/bench/record_read_benchmark" \
    --benchmark_repetitions=5 --benchmark_format=json >"$work/result.json" 2>/dev/null

python3 - "$work/result.json" "$best_dd" <<'PY'
import json, sys
runs = [b for b in json.load(open(sys.argv[1]))["benchmarks"] if b.get("run_type") == "iteration"]
best_read = min(b["real_time"] for b in runs)  # milliseconds
best_dd = int(sys.argv[2]) / 1e6
print(f"readRecord over every record: {best_read:.1f} ms (best of {len(runs)})")
print(f"dd bs=2056:                   {best_dd:.1f} ms (best of 5)")
print(f"ratio readRecord / dd:        {best_read / best_dd:.2f}")
PY
