#!/usr/bin/env bash
# Shared set-up of play.sh and test.sh: installs the Debian packages that are
# missing, then configures and builds the Release tree in build/ (the game,
# its generated data and the benchmarks).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

say() { printf '\033[1;36m==>\033[0m %s\n' "$*"; }

install_missing_packages() {
  local wanted missing=()
  mapfile -t wanted < <(grep -v '^\s*#' scripts/packages.txt | sed '/^\s*$/d')
  for pkg in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  if ((${#missing[@]} == 0)); then
    say "All ${#wanted[@]} system packages are present."
    return
  fi
  say "Installing missing system packages: ${missing[*]}"
  local sudo=""
  if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_release() {
  say "Configuring and building the game in build/ (Release)"
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DGS_TESTS=OFF "$@" >/dev/null
  cmake --build build
}

install_missing_packages
build_release "$@"
