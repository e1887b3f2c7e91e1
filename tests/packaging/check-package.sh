#!/usr/bin/env bash
# Checks what a distribution checks before it ships the program, in one of three modes:
#   metadata RESOURCES APP_ID VERSION      the desktop entry and AppStream data validate, and the
#                                          newest release they name is the version being built
#   install  BUILD APP_ID DATA_FROM_BIN CMAKE   `cmake --install` lays out exactly the files below,
#                                          the program's path to its data leads to the help, and
#                                          the installed copy keeps its settings under XDG config
#   deb      BUILD APP_ID CPACK            `cpack -G DEB` packs the same files, and Depends names
#                                          the libraries the program was linked against
# Each run works in a temporary folder of its own, so the modes can run side by side.
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Every file of the installed program, under its prefix: the program and its command-line
# printer are alone in bin/.
installed_files() {
  local id=$1
  printf '%s\n' bin/glyphera bin/glyphera-print share/man/man1/glyphera-print.1 \
    share/glyphera/GLYPHERA.HLP "share/applications/$id.desktop" \
    "share/icons/hicolor/scalable/apps/$id.svg" "share/metainfo/$id.metainfo.xml" \
    share/doc/glyphera/copyright | sort
}

same_files() {
  local what=$1 expected=$2 actual=$3
  [ "$expected" = "$actual" ] || fail "$what holds other files than expected:
$(diff <(echo "$expected") <(echo "$actual") || true)"
}

check_metadata() {
  local resources=$1 id=$2 version=$3
  local report
  # It exits 0 on warnings and hints too; a clean entry prints nothing.
  report=$(desktop-file-validate "$resources/$id.desktop" 2>&1) || fail "$report"
  [ -z "$report" ] || fail "desktop-file-validate: $report"
  appstreamcli validate --no-net "$resources/$id.metainfo.xml" || fail "appstreamcli validate"
  local newest
  newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$resources/$id.metainfo.xml" | head -n 1)
  [ "$newest" = "$version" ] || fail "the newest release in the metainfo is '$newest', the project is $version"
}

check_install() {
  local build=$1 id=$2 data_from_bin=$3 cmake=$4
  # Not local: the EXIT trap runs after the function has returned.
  root=$(mktemp -d)
  trap 'rm -rf "$root"' EXIT
  DESTDIR=$root "$cmake" --install "$build" --prefix /usr >/dev/null
  cd "$root/usr"
  same_files "the installed tree" "$(installed_files "$id")" "$(find . ! -type d | sed 's|^\./||' | sort)"
  [ -x bin/glyphera ] || fail "bin/glyphera is not executable"
  bin/glyphera-print --version | grep -q '^glyphera-print ' || fail "bin/glyphera-print does not run"
  [ -f "bin/$data_from_bin/GLYPHERA.HLP" ] ||
    fail "the program looks for its help in bin/$data_from_bin, which does not hold GLYPHERA.HLP"
  # Across the files: the metainfo launches the installed entry, and the entry shows the
  # installed icon, which validate-tree does not look at.
  appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"
  local icon
  icon=$(sed -n 's/^Icon=//p' "share/applications/$id.desktop")
  [ -f "share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "the desktop entry's icon '$icon' is not installed"
  first_start "$root"
}

# The installed copy started for the first time by a user with an empty home: its settings go
# under the user's configuration, never beside the program, and it finds its help where it was
# installed (seen by the file-status calls it makes, under strace).
first_start() {
  local root=$1 home="$1/home"
  mkdir -p "$home"
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    QT_QPA_PLATFORM=offscreen timeout 60 strace -f -qq -e trace=%file -o "$root/strace.log" \
    "$root/usr/bin/glyphera" >"$root/run.log" 2>&1 &
  local program=$! settings="$home/.config/glyphera/GLYPHERA.INI"
  for _ in $(seq 100); do
    [ -s "$settings" ] && break
    sleep 0.2
  done
  # timeout passes the signal on to the program and everything it started.
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  [ -s "$settings" ] || fail "the installed copy made no $settings: $(cat "$root/run.log")"
  grep -q '^\[Glyphera\]' "$settings" || fail "$settings holds no sample texts"
  [ ! -e "$root/usr/bin/GLYPHERA.INI" ] || fail "the installed copy wrote its settings beside itself"
  grep -q 'usr/share/glyphera/GLYPHERA.HLP", .* = 0' "$root/strace.log" ||
    fail "the installed copy did not find share/glyphera/GLYPHERA.HLP"
}

check_deb() {
  local build=$1 id=$2 cpack=$3
  out=$(mktemp -d) # not local, as in check_install
  trap 'rm -rf "$out"' EXIT
  (cd "$build" && "$cpack" -G DEB --config CPackConfig.cmake -B "$out" >"$out/cpack.log") ||
    fail "cpack: $(cat "$out/cpack.log")"
  local debs=("$out"/*.deb)
  if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "cpack made other than one package: ${debs[*]}"
  fi
  same_files "the package" "$(installed_files "$id" | sed 's|^|usr/|')" \
    "$(dpkg-deb -c "${debs[0]}" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort)"
  local depends
  depends=$(dpkg-deb -f "${debs[0]}" Depends)
  echo "Depends: $depends"
  local names
  names=$(tr ',|' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
  for lib in libqt6widgets6 libcups2 libfontconfig1 libfreetype6; do
    grep -qx "$lib" <<<"$names" || fail "Depends does not name $lib"
  done
}

mode=$1
shift
case $mode in
  metadata) check_metadata "$@" ;;
  install) check_install "$@" ;;
  deb) check_deb "$@" ;;
  *) fail "unknown mode $mode" ;;
esac
