#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for SECONDS on its corpus
# (seeds written there by fuzz_make_seeds and copied from data/, plus whatever earlier runs
# found), then prints each target's runs and whether it crashed. Exit status 1 when one did.
#   tools/fuzz.sh SECONDS        (JOBS=n limits the build's parallel jobs)
set -euo pipefail
seconds=${1:?usage: tools/fuzz.sh SECONDS}
[[ $seconds =~ ^[0-9]+$ ]] || { echo "usage: tools/fuzz.sh SECONDS" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
targets=(fuzz_conf_file fuzz_cal_flash fuzz_sensor_table fuzz_link_replies)

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDELVO_FUZZ=ON
fi
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target fuzz_all

corpus=$build/corpus
mkdir -p "$corpus/fuzz_sensor_table" "$build/artifacts" "$build/logs"
"$build/fuzz/fuzz_make_seeds" "$corpus"
cp "$root"/data/*.dat "$corpus/fuzz_sensor_table/"

export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
crashed=0
for target in "${targets[@]}"; do
  log=$build/logs/$target.log
  status=0
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target-" "$corpus/$target" >"$log" 2>&1 || status=$?
  done_line=$(grep -Eo 'Done [0-9]+ runs in [0-9]+ second' "$log" | tail -n 1 || true)
  runs=$(awk '{print $2}' <<<"$done_line")
  if [ "$status" -eq 0 ] && [ -n "$done_line" ]; then
    printf '%-20s %10s runs in %ss  ok\n' "$target" "$runs" "$(awk '{print $5}' <<<"$done_line")"
  else
    crashed=1
    printf '%-20s CRASHED (exit %s); log: %s\n' "$target" "$status" "$log"
    grep -E 'ERROR|SUMMARY|Test unit written to|runtime error' "$log" | head -n 8 | sed 's/^/    /'
  fi
done
exit $crashed
