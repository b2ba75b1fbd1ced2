#!/bin/sh
# Draws one contact sheet per language of every screen and dialog, as the
# layout test lays them out headless: title, options, help, high scores,
# the player manager, level selection and its save chooser, the game screen,
# the in-game menu, a won level, the end panel and every dialog.
# usage: scripts/language-sheets.sh [BUILD_DIR] [OUT_DIR]
#   BUILD_DIR defaults to build-asan/ (the test build of ./test.sh), OUT_DIR to
#   BUILD_DIR/language-sheets
#   Needs ImageMagick's montage.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-asan}
out=${2:-$build/language-sheets}
command -v montage >/dev/null || { echo "language-sheets: needs montage (ImageMagick)" >&2; exit 2; }
cmake --build "$build" --target test_screens >/dev/null
shots="$build/screenshots"
rm -f "$shots"/layout-*.png
GS_LAYOUT_SHOTS=1 SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy LANG=C \
  "$build/bin/test_screens" --gtest_filter='Languages/EveryLanguage.*:LayoutTest.*' >/dev/null
mkdir -p "$out"
# Every language of the game's table, then the tests' pseudo-language.
codes=$(sed -n 's/^GS_LANGUAGE([0-9]*, *"\([^"]*\)".*/\1/p' "$root/frame/Languages.def")
for code in $codes qps; do
  set -- "$shots"/layout-$code-*.png
  [ -e "$1" ] || continue
  # Screens first in the order they were visited, then the dialogs.
  files=$(ls -tr "$shots"/layout-$code-*.png)
  # shellcheck disable=SC2086
  montage -label '%t' -pointsize 14 -geometry 400x300+6+6 -tile 6x -background '#202028' \
    -fill white $files "$out/$code.png"
  echo "language-sheets: $out/$code.png"
done
