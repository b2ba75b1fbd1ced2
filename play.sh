#!/usr/bin/env bash
# Installs what is missing, builds the game and its data, and starts it.
# Extra arguments go to the game (try --help).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
scripts/setup.sh
printf '\033[1;36m==>\033[0m %s\n' "Starting Gleamstrand"
exec build/game/gleamstrand "$@"
