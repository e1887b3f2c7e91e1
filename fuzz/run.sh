#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each for SECONDS (default 60) on a
# copy of its seed corpus, so the committed seeds never change. Fails on the first crash, leak,
# undefined behaviour or broken check; the input that caused it is kept in
# build-fuzz/artifacts/. Prints the executions of each target.
#
#   bash fuzz/run.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz

# The targets' own settings, not whatever the caller exported for other programs.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

mkdir -p build-fuzz/artifacts
status=0
summary=()
for pair in FontNameReaderFuzz:names ProfileStringsFuzz:profile; do
  target="${pair%%:*}"
  corpus="${pair#*:}"
  work="build-fuzz/corpus/$corpus"
  rm -rf "$work"
  mkdir -p "$work"
  cp fuzz/corpus/"$corpus"/* "$work"/
  log="build-fuzz/$target.log"
  echo "== $target: $seconds s"
  if nice -n 10 "build-fuzz/$target" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/artifacts/$target-" "$work" >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
    tail -n 60 "$log"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  summary+=("$target: ${runs:-?} executions, $result")
done
printf '%s\n' "${summary[@]}"
exit "$status"
