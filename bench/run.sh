#!/usr/bin/env bash
# Builds and runs the benchmarks (optimised build in build-bench/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench --target show_all_paint_bench
./build-bench/bench/show_all_paint_bench "$@"
