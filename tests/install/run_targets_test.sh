#!/usr/bin/env bash
# `make run` builds only what it starts: none of its build's inputs belong to the tests, the
# benchmarks, the fuzz targets or the tools, and it gives the program with its tables and help.
# Usage: run_targets_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source=$1 build=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

targets=$(make -s -n -C "$source" run BUILD="$build" | sed -n 's/^cmake --build .* --target //p')
[ -n "$targets" ] || fail "no 'cmake --build ... --target' line in make run"
echo "make run builds: $targets"
# shellcheck disable=SC2086
inputs=$(ninja -C "$build" -t inputs $targets)
foreign=$(grep -E "^($source/)?(tests|bench|fuzz|tools)/|gtest|gmock|Qt6Test" <<<"$inputs" || true)
[ -z "$foreign" ] || fail "make run builds inputs of tests, benchmarks, fuzzers or tools: $foreign"
grep -q 'app/main/main.cpp' <<<"$inputs" || fail "make run does not build the program"
# shellcheck disable=SC2086
commands=$(ninja -C "$build" -t commands $targets)
for file in pt10385.dat help.html PortNo.txt; do
  grep -q "$file" <<<"$commands" || fail "make run does not put $file beside the program"
done
