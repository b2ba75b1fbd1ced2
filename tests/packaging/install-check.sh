#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the layout a Linux
# package needs, then starts the installed game from another folder, headless,
# to show that it finds its data there. Then builds the Debian package, which
# lintian must pass without a word, and starts the game unpacked from it.
#   install-check.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d /tmp/gleamstrand-install-XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install-check: $*" >&2; exit 1; }
need() { [[ -e $prefix/$1 ]] || fail "missing $1"; }
need bin/gleamstrand
need share/gleamstrand/data/Default.ini
need share/gleamstrand/data/resources/data.pak
need share/gleamstrand/data/data2x.pak
need share/gleamstrand/Data/text/gametext.txt
need share/gleamstrand/Data/graphics/icon.png
need share/gleamstrand/layouts
need share/applications/com.talvorine.Gleamstrand.desktop
need share/metainfo/com.talvorine.Gleamstrand.metainfo.xml
need share/man/man6/gleamstrand.6.gz
need share/doc/gleamstrand/LICENSE
need share/doc/gleamstrand/LICENSE-Carlito.txt
need share/doc/gleamstrand/copyright
need share/doc/gleamstrand/changelog.gz
for size in 16 22 24 32 48 64 128 256; do
  need share/icons/hicolor/${size}x${size}/apps/gleamstrand.png
done
# Nothing installed may point back into the build tree.
if find "$prefix" -type l | grep -q .; then fail "links installed: $(find "$prefix" -type l)"; fi

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/com.talvorine.Gleamstrand.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/com.talvorine.Gleamstrand.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate failed"
fi

"$prefix/bin/gleamstrand" --version | grep -q '^Gleamstrand [0-9]' || fail "--version"
"$prefix/bin/gleamstrand" --help | grep -q -- '--version' || fail "--help"

# The game from an unrelated folder, with a fresh player's home.
run_from_elsewhere() {
  local program=$1 what=$2
  rm -rf "$work/home" "$work/elsewhere"
  mkdir -p "$work/home" "$work/elsewhere"
  (cd "$work/elsewhere" &&
    HOME=$work/home XDG_DATA_HOME=$work/home/share SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
      "$program" --headless --seed 1 --steps 400 >"$work/out.txt" 2>&1) ||
    { cat "$work/out.txt" >&2; fail "the $what game did not run"; }
  [[ -f "$work/home/share/Talvorine Games/Cavernglow/gleamstrand.ini" ]] ||
    fail "the $what game wrote no settings"
  [[ -z $(ls -A "$work/elsewhere") ]] || fail "the $what game wrote into the folder it was started from"
}
run_from_elsewhere "$prefix/bin/gleamstrand" installed
echo "install-check: the installed game runs from $prefix"

# The Debian package: games in /usr/games, their data in /usr/share/games.
command -v cpack >/dev/null || fail "cpack is missing"
(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.txt" 2>&1) ||
  { cat "$work/cpack.txt" >&2; fail "cpack -G DEB failed"; }
deb=$(ls "$work"/deb/gleamstrand_*.deb)
root=$work/deb-root
dpkg-deb -x "$deb" "$root"
[[ -x $root/usr/games/gleamstrand ]] || fail "the package has no /usr/games/gleamstrand"
[[ -d $root/usr/share/games/gleamstrand/Data ]] || fail "the package has no /usr/share/games/gleamstrand"
[[ ! -e $root/usr/bin ]] || fail "the package still ships /usr/bin"
if command -v lintian >/dev/null; then
  as_root=()
  if [[ $(id -u) -eq 0 ]]; then as_root=(--allow-root); fi
  report=$(lintian "${as_root[@]}" "$deb" 2>&1) || true
  [[ -z $report ]] || fail "lintian reports on the package:"$'\n'"$report"
else
  fail "lintian is missing (scripts/packages.txt installs it)"
fi
run_from_elsewhere "$root/usr/games/gleamstrand" packaged
echo "install-check: lintian passes $(basename "$deb") and the packaged game runs"
