#!/usr/bin/env bash
# Times `translation-file check` on a 100,000-entry dictionary against dd reading the same
# file in 2056-byte blocks, both from a warm page cache, best of five each, in the same run.
# Prints both times and their ratio (check / dd). Usage: bench/check_command.sh [build dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
records=100001  # the header and 100,000 entries
record_length=2056

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target translation-file >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dictionary="$work/TranslationFile.dat"
# Entries as the editor writes them: distinct key words, every slot terminated.
python3 - "$dictionary" "$records" <<'PY'
import struct, sys
path, records = sys.argv[1], int(sys.argv[2])
with open(path, "wb") as out:
    out.write(struct.pack("<i", records) + bytes(2052))
    for n in range(2, records + 1):
        texts = b"".join(f"{name} {n}".encode().ljust(255, b"\0")
                         for name in ("ref", "word", "tr", "reply", "file", "name", "syn", "about"))
        out.write(struct.pack("<4i", 1, 0, 2, 2) + texts)
PY
cat "$dictionary" >/dev/null  # warm the page cache

best() {  # best of five, in nanoseconds, of the command given
    local best_time=""
    for _ in 1 2 3 4 5; do
        local start elapsed
        start=$(date +%s%N)
        "$@" >/dev/null
        elapsed=$(($(date +%s%N) - start))
        if [ -z "$best_time" ] || [ "$elapsed" -lt "$best_time" ]; then best_time=$elapsed; fi
    done
    echo "$best_time"
}
dd_time=$(best dd if="$dictionary" of=/dev/null bs=$record_length status=none)
check_time=$(best "$build/translation-file" check "$dictionary")
"$build/translation-file" check "$dictionary" | tail -n 1

python3 - "$check_time" "$dd_time" <<'PY'
import sys
check, dd = int(sys.argv[1]) / 1e6, int(sys.argv[2]) / 1e6
print(f"translation-file check: {check:.1f} ms (best of 5)")
print(f"dd bs=2056:             {dd:.1f} ms (best of 5)")
print(f"ratio check / dd:       {check / dd:.2f}")
PY
