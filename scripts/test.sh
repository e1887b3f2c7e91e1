#!/usr/bin/env bash
# Installs what is missing, builds Glyphera and runs every test: first the normal build, then the
# same tests built with AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzz targets
# for a minute each.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
bash scripts/setup.sh --tests
bash scripts/build.sh --tests
(cd build && ctest --output-on-failure --timeout 600 | tee ctest.log)

# The sanitizer build is a Debug build of its own, so the normal one keeps its flags and its
# incremental state. GCC's sanitizers are enough here; clang is only needed for libFuzzer.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
  >/dev/null
# Only what the tests run: the benchmarks measure the normal build and are no test.
mapfile -t tests < <(cd build-asan && ctest -N | sed -n 's/^ *Test *#[0-9]*: *//p')
cmake --build build-asan --target glyphera "${tests[@]}"
# Qt, fontconfig and FreeType are not built with the sanitizers: the suppressions name only
# those libraries, for memory they keep until the process ends. Anything of ours still fails.
(
  cd build-asan
  export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  ctest --output-on-failure --timeout 900 | tee ctest.log
)

bash fuzz/run.sh 60

# One closing line for both test runs.
total() { sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$1"; }
failed() { sed -n 's/.*, \([0-9]*\) tests failed out of.*/\1/p' "$1"; }
runs=$(($(total build/ctest.log) + $(total build-asan/ctest.log)))
bad=$(($(failed build/ctest.log) + $(failed build-asan/ctest.log)))
echo "Test programs: $((runs - bad)) passed, $bad failed"
