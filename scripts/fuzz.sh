#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) in build-fuzz and runs each for
# the given number of seconds (300 when not given). Each target keeps its corpus in
# build-fuzz/corpus/<target>, seeded from tests/fuzz/regressions/<target>, so later runs go
# on from what earlier ones found; an input that fails is saved in build-fuzz/findings and
# the script fails. Copy a finding into tests/fuzz/regressions/<target> once it is fixed:
# every normal build replays those as tests.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}

targets=(
  "tests/fuzz/text_to_number_fuzz"
  "tests/fuzz/dictionary_text_fuzz -max_len=12000"
  "tests/fuzz/dialog_template_fuzz"
  "tests/fuzz/edit_typing_fuzz"
)
names=()
for t in "${targets[@]}"; do names+=("$(basename "${t%% *}")"); done

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEDITOR_TESTS=ON \
  -DEDITOR_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${names[@]}"

export LSAN_OPTIONS=suppressions="$PWD/scripts/lsan-suppressions.txt"
mkdir -p build-fuzz/findings
for t in "${targets[@]}"; do
  read -r path options <<<"$t"
  name=$(basename "$path")
  mkdir -p "build-fuzz/corpus/$name"
  cp -n tests/fuzz/regressions/"$name"/* "build-fuzz/corpus/$name/"
  log="build-fuzz/$name.log"
  # shellcheck disable=SC2086
  if ! "build-fuzz/$path" $options -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="build-fuzz/findings/$name-" "build-fuzz/corpus/$name" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "$name: FAILED (input saved in build-fuzz/findings)"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "$name: ${runs:-?} runs in ${seconds} s, no findings"
done
