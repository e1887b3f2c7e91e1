#!/usr/bin/env bash
# Builds the benchmarks optimised (in build-bench/) and prints one table: Glyphera's figures
# beside anchors measured in the same run. Options: --repetitions N (3 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
# fontTools makes the font corpora; GNU time reads the programs' peak memory; fntsample (with
# Noto Sans) is the anchor of the coverage book and of the command-line printer's pages per second.
bash scripts/setup.sh --tests python3-fonttools time fntsample fonts-noto-core >&2
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
nice cmake --build build-bench --target show_all_paint_bench name_reading_bench window_bench \
  glyphera-names freetype-names glyphera-startup qt-floor preview_runs_bench real_fonts_bench \
  coverage_bench glyphera-print >&2
exec nice python3 bench/table.py build-bench "$@"
