#!/usr/bin/env bash
# Kills the game while it saves, many more times than the test suite does:
# GS_KILLS per kind of file (default 2000) for the settings, the profile, the
# level-completion record, the high-score table and a saved game. Needs the
# test programs of a build tree (default build-asan/).
#   scripts/kill-soak.sh [BUILD_DIR] [KILLS]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build-asan}
export GS_KILLS=${2:-2000}
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
status=0
"$build/bin/test_frame" --gtest_filter='SaveKillTest.*' || status=1
"$build/bin/test_screens" --gtest_filter='PlayerFilesKillTest.*' || status=1
"$build/bin/test_board" --gtest_filter='SavedGameKillTest.*' || status=1
exit $status
