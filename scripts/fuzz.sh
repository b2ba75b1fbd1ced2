#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (in build-fuzz/) and runs
# each of them in turn, niced, for SECONDS each (default 60), or for
# FUZZ_RUNS executions each when that is set. Usage:
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# Two runs with different targets may go side by side, one per core.
# New inputs go to build-fuzz/corpus/TARGET/ (the committed seeds in
# fuzz/corpus/ are read, not written); a crash, hang or leak leaves its input
# in build-fuzz/crashers/TARGET/. Fix the reader, then commit the input to
# fuzz/crashers/TARGET/: the ordinary test suite replays it from then on.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

say() { printf '\033[1;36m==>\033[0m %s\n' "$*"; }

seconds=60
if [[ $# -gt 0 && $1 =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi

# The game's own packages, and clang with libFuzzer (Debian's compiler-rt).
mapfile -t wanted < <(grep -v '^\s*#' scripts/packages.txt | sed '/^\s*$/d')
wanted+=(clang libclang-rt-dev)
need=()
for pkg in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    need+=("$pkg")
  fi
done
if ((${#need[@]})); then
  say "Installing ${need[*]}"
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

say "Building the fuzz targets in build-fuzz/ (clang, libFuzzer, ASan + UBSan)"
flags="-O1 -gline-tables-only -fsanitize=fuzzer-no-link,address,undefined"
flags+=" -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
flags+=" -fsanitize-coverage-ignorelist=$PWD/fuzz/coverage-ignore.txt"
mkdir -p build-fuzz
exec {build_lock}>build-fuzz/.build-lock
flock "$build_lock"  # a run beside this one may be building the same tree
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=None \
  -DGS_FUZZ=ON -DGS_BENCH=OFF -DGS_GAME_DATA=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-fuzz --target fuzzers
flock -u "$build_lock"

targets=("$@")
if ((${#targets[@]} == 0)); then
  for program in build-fuzz/bin/fuzz_*; do targets+=("${program##*/fuzz_}"); done
fi

limit=(-max_total_time="$seconds")
if [[ -n ${FUZZ_RUNS:-} ]]; then limit=(-runs="$FUZZ_RUNS"); fi

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
# The targets' scratch folders go in a folder of this run's own, in memory,
# so that a second run beside this one keeps its files.
scratch_parent=/tmp
if [[ -d /dev/shm && -w /dev/shm ]]; then scratch_parent=/dev/shm; fi
GS_FUZZ_SCRATCH=$(mktemp -d "$scratch_parent/gleamstrand-fuzz-run.XXXXXX")
export GS_FUZZ_SCRATCH
trap 'rm -rf "$GS_FUZZ_SCRATCH"' EXIT
summary=()
failed=0
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$target
  crashers=build-fuzz/crashers/$target
  mkdir -p "$corpus" "$crashers"
  say "Fuzzing $target (${limit[*]})"
  log=build-fuzz/$target.log
  # Niced: the machine is shared. A reader must answer any input within
  # ten seconds (a hang otherwise) and well inside 2 GB.
  if nice -n 10 "build-fuzz/bin/fuzz_$target" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
      -max_len=65536 -close_fd_mask=2 -print_final_stats=1 \
      -artifact_prefix="$crashers/" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
    result="ok"
  else
    result="FOUND A FAULT (see $log and $crashers/)"
    failed=1
  fi
  # A target that crashed left its scratch folder behind.
  rm -rf "${GS_FUZZ_SCRATCH:?}"/*
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  summary+=("$(printf '%-12s %12s executions  %s' "$target" "${runs:-?}" "$result")")
done

say "Summary"
printf '%s\n' "${summary[@]}"
exit $failed
