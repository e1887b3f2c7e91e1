#!/usr/bin/env bash
# Configures and builds Glyphera in build/: the program alone, or with --tests its tests and
# benchmarks as well.
set -euo pipefail
cd "$(dirname "$0")/.."
testing=OFF
[ "${1:-}" = "--tests" ] && testing=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=$testing >/dev/null
cmake --build build
