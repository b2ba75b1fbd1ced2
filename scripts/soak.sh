#!/bin/bash
# A long session in one process: the autoplay bot plays a range of levels
# while the resident memory (VmRSS) is sampled, so that a leak shows as
# growth from level to level. Built with -DGS_SANITIZE=ON, the run also
# counts the sanitizers' reports (leaks are reported when the game exits).
#
#   scripts/soak.sh [GAME] [RANGE]     defaults: build/game/gleamstrand 001-080
#
# The game runs with a fresh HOME in a scratch folder (the player's own files
# are never touched) at low priority. Prints one line per level (the bot's
# line, the highest and the last RSS while it was played), then the totals.
# Environment: SOAK_SEED (1), SOAK_INTERVAL (sampling, 0.5 s), SOAK_KEEP=1
# keeps the scratch folder. Exit status 0 when every level was won and no
# sanitizer spoke.
set -u
game=$(realpath "${1:-build/game/gleamstrand}")
range=${2:-001-080}
seed=${SOAK_SEED:-1}
interval=${SOAK_INTERVAL:-0.5}
[ -x "$game" ] || { echo "soak: no game at $game" >&2; exit 1; }

scratch=$(mktemp -d /tmp/gleamstrand-soak.XXXXXX)
[ "${SOAK_KEEP:-0}" = 1 ] || trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home"

start=$(date +%s.%N)
HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/.local/share" \
  XDG_CONFIG_HOME="$scratch/home/.config" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" \
  nice -n 5 "$game" --headless --autoplay "$range" --seed "$seed" \
  > >(while IFS= read -r line; do echo "$(date +%s.%N) $line"; done > "$scratch/levels") \
  2> "$scratch/stderr" &
pid=$!
while kill -0 "$pid" 2> /dev/null; do
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2> /dev/null)
  [ -n "$rss" ] && echo "$(date +%s.%N) $rss" >> "$scratch/rss"
  sleep "$interval"
done
wait "$pid"
status=$?
wall=$(echo "$(date +%s.%N) - $start" | bc)
sleep 0.2  # the line reader may still be writing

reports=$(grep -cE 'ERROR: (Address|Leak|Undefined)Sanitizer|runtime error:' "$scratch/stderr")
touch "$scratch/rss" "$scratch/levels"
# Each level's window runs from the previous level's line to its own.
awk -v wall="$wall" -v status="$status" -v reports="$reports" '
  FNR == NR { t[++n] = $1; kb[n] = $2; next }
  {
    peak = 0; last = 0
    for (i = 1; i <= n && t[i] <= $1; ++i) {
      last = kb[i]
      if (t[i] > previous && kb[i] > peak) peak = kb[i]
    }
    if (peak == 0) peak = last
    if (peak > top) top = peak
    previous = $1; ++played; if ($3 == "won") ++won
    line = $0; sub(/^[^ ]+ /, "", line)
    printf "%s  rss peak=%.1f MB last=%.1f MB\n", line, peak / 1024, last / 1024
  }
  END {
    for (i = 1; i <= n; ++i) if (kb[i] > top) top = kb[i]
    printf "levels played %d, won %d; exit status %d; sanitizer reports %d; " \
           "peak RSS %.1f MB; wall %.0f s\n", played, won, status, reports, top / 1024, wall
  }' "$scratch/rss" "$scratch/levels"
if [ "$reports" -gt 0 ]; then
  echo "--- sanitizer output:"
  cat "$scratch/stderr"
fi
[ "$status" -eq 0 ] && [ "$reports" -eq 0 ]
