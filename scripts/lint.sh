#!/usr/bin/env bash
# The test command's first stage, before any long build: the include structure of the
# program layer, shellcheck over every script, the format of every C++ file, and
# clang-tidy over every source of the build (.clang-tidy). A file tidy found clean is
# remembered in build-lint/ until it, a header or the configuration changes, so a second
# run is quick.
#   scripts/lint.sh          check; exit status 1 on any finding
#   scripts/lint.sh format   rewrite every C++ file in the format of .clang-format
set -euo pipefail
cd "$(dirname "$0")/.."

cxx_files() { git ls-files '*.cpp' '*.h'; }

if [ "${1:-}" = format ]; then
  cxx_files | xargs clang-format -i
  exit 0
fi

status=0
echo "== Include structure"
scripts/check_includes.py || status=1

echo "== Shell scripts"
# shellcheck disable=SC2046
shellcheck -x $(git ls-files '*.sh') || status=1

echo "== Format"
cxx_files | xargs clang-format --dry-run --Werror 2>&1 | grep -E '^[^ ].*: (error|warning):' | sed -E 's/:[0-9]+:[0-9]+: (error|warning): .*//' |
  sort -u | sed 's/^/not formatted: /' | head -40 | grep . && status=1

echo "== clang-tidy"
cmake -S . -B build-lint -DEDITOR_TESTS=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
cache=build-lint/tidy-clean
mkdir -p "$cache"
# Every header and the checks' configuration are part of each file's key.
shared=$(git ls-files -z '*.h' '*.clang-tidy' | xargs -0 cat | sha256sum | cut -c1-16)
export shared cache
# The builds are gcc's, whose -Wconversion leaves changes of sign alone; clang's takes
# them in, so tidy is told to leave them too.
# shellcheck disable=SC2016  # the script runs in sh, once a file
python3 -c 'import json; [print(c["file"]) for c in json.load(open("build-lint/compile_commands.json")) if "/_deps/" not in c["file"]]' |
  xargs -n1 -P"$(nproc)" sh -c '
    mark="$cache/$(echo "$1" | tr / _).$(sha256sum <"$1" | cut -c1-16)-$shared"
    [ -e "$mark" ] && exit 0
    if out=$(clang-tidy -p build-lint --quiet --extra-arg=-Wno-sign-conversion "$1" 2>&1); then
      touch "$mark"
    else
      echo "$out" | grep -aE "(warning|error):"; exit 1
    fi' _ || status=1

exit $status
