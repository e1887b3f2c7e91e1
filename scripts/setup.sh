#!/usr/bin/env bash
# Installs what Glyphera needs to build and run on Debian 12 (with --tests, also to test it), and
# nothing that is there.
set -euo pipefail

# What the program needs to build and run.
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  # The toolkit's font database, told of every strike of a bitmap font.
  qt6-base-private-dev
  libfontconfig-dev libfreetype-dev fontconfig libcups2-dev libxcb1-dev fonts-dejavu-core
  # Web fonts: WOFF tables are zlib streams, WOFF 2 files are unpacked by libwoff2.
  zlib1g-dev libwoff-dev
  # A variable font's named instances, from its "fvar" table as HarfBuzz sanitises it.
  libharfbuzz-dev
  # The Unicode blocks and categories of the coverage sheet.
  libicu-dev
  # The clones a printer's standard PostScript fonts are drawn in.
  fonts-urw-base35
)

# What only the tests, benchmarks and fuzz targets need, with --tests.
test_packages=(
  libbenchmark-dev strace
  xvfb xauth poppler-utils
  # Checks the structure of the PDFs the command-line printer joins.
  qpdf
  # The CUPS server, tools, filters and PPDs the printer tests run.
  cups-daemon cups-client cups-filters
  # The fuzz targets: clang with its libFuzzer and sanitizer runtimes.
  clang libclang-rt-14-dev
  # Fonts the tests are built on.
  fonts-dejavu-extra fonts-liberation fonts-wine fonts-urw-base35 xfonts-base fonts-terminus-otb
  fonts-wqy-zenhei
  # A variable font with named instances, and fontTools (with Brotli for WOFF 2), which makes the
  # web fonts the tests read, the font whose family fontconfig folds into another, and says
  # which faces a file holds.
  fonts-inter-variable python3-fonttools python3-brotli
  # The desktop entry and AppStream checks, and the .deb that CPack builds with the libraries'
  # Depends worked out by dpkg-shlibdeps.
  desktop-file-utils appstream dpkg-dev file
  # The coverage sheet's oracle (the block list) and the check of its PDF navigation.
  unicode-data qpdf fonts-noto-core
)
if [ "${1:-}" = "--tests" ]; then
  packages+=("${test_packages[@]}")
  shift
fi

# Packages a caller needs beyond these (the benchmarks' font tools, say) come as arguments.
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
