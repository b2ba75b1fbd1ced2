#!/usr/bin/env bash
# Installs what is missing, builds the game (build/) and the test suite under
# AddressSanitizer and UBSan (build-asan/), then runs every test headless.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
scripts/setup.sh -DGS_WERROR=${GS_WERROR:-ON}

say() { printf '\033[1;36m==>\033[0m %s\n' "$*"; }
say "Configuring and building the test suite in build-asan/ (ASan + UBSan)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGS_SANITIZE=ON \
  -DGS_WERROR=${GS_WERROR:-ON} -DGS_BENCH=OFF -DGS_EXTERNAL_DATA="$PWD/build/game" >/dev/null
cmake --build build-asan

say "Running the tests (headless: no display, no sound card)"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-asan
ctest --output-on-failure -j2 --timeout 300
