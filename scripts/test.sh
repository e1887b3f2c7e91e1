#!/usr/bin/env bash
# Installs what is missing, builds Glyphera and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
cd build
ctest --output-on-failure --timeout 600
