#!/bin/sh
# The level report: the autoplay bot plays every standard level on ten seeds
# (two games at a time, at low priority) and writes docs/levels.md and
# docs/levels-moves.png.
# usage: scripts/levelreport.sh [BUILD_DIR] [levelreport.py options]
#   BUILD_DIR defaults to build/ (a Release build plays fastest)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
[ $# -gt 0 ] && shift
cmake --build "$build" --target gleamstrand >/dev/null
exec python3 "$root/scripts/levelreport.py" "$build/game/gleamstrand" "$@"
