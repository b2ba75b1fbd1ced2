#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the layout a Linux
# package needs, then starts the installed game from another folder, headless,
# to show that it finds its data there.
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
need share/gleamstrand/Data/text/gametext.txt
need share/gleamstrand/Data/graphics/icon.png
need share/gleamstrand/layouts
need share/applications/com.talvorine.Gleamstrand.desktop
need share/metainfo/com.talvorine.Gleamstrand.metainfo.xml
need share/man/man6/gleamstrand.6.gz
need share/doc/gleamstrand/LICENSE
need share/doc/gleamstrand/LICENSE-Carlito.txt
need share/doc/gleamstrand/copyright
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

# The installed game from an unrelated folder, with a fresh player's home.
mkdir -p "$work/home" "$work/elsewhere"
cd "$work/elsewhere"
HOME=$work/home XDG_DATA_HOME=$work/home/share SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  "$prefix/bin/gleamstrand" --headless --seed 1 --steps 400 >"$work/out.txt" 2>&1 ||
  { cat "$work/out.txt" >&2; fail "the installed game did not run"; }
[[ -f "$work/home/share/Talvorine Games/Cavernglow/gleamstrand.ini" ]] ||
  fail "the installed game wrote no settings"
[[ -z $(ls -A "$work/elsewhere") ]] || fail "the game wrote into the folder it was started from"
echo "install-check: the installed game runs from $prefix"
