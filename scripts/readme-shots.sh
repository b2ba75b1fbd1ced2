#!/usr/bin/env bash
# Takes the README's pictures headless with the built game: a level in play
# (the autoplay bot on level 012) and the title screen with that player,
# each halved to 400 x 300, into docs/.
#   scripts/readme-shots.sh [GAME]      (default build/game/gleamstrand)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
game=$(realpath "${1:-build/game/gleamstrand}")
tmp=$(mktemp -d /tmp/gleamstrand-shots-XXXXXX)
trap 'rm -rf "$tmp"' EXIT
export HOME=$tmp/home XDG_DATA_HOME=$tmp/home/share SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
mkdir -p "$HOME"
"$game" --headless --seed 3 --autoplay 012 --screenshot "1500:$tmp/play.png" >/dev/null
printf '1 move 640 470\n' >"$tmp/pointer.txt"
"$game" --headless --seed 1 --steps 700 --script "$tmp/pointer.txt" --screenshot "650:$tmp/title.png"
scripts/halve-png.py "$tmp/play.png" docs/play.png
scripts/halve-png.py "$tmp/title.png" docs/title.png
ls -l docs/play.png docs/title.png
