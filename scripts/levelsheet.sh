#!/bin/sh
# Draws all standard levels into one review picture (eight to a row, like the
# pages of the level selection).
# usage: scripts/levelsheet.sh [BUILD_DIR] [OUT.png]
#   BUILD_DIR defaults to build/, OUT.png to BUILD_DIR/levels.png
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=${2:-$build/levels.png}
cmake --build "$build" --target gleamstrand-datagen >/dev/null
"$build/bin/gleamstrand-datagen" --level-sheet "$out" --layouts "$root/layouts" \
  --fonts /usr/share/fonts/truetype/crosextra
