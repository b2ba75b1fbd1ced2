#!/usr/bin/env bash
# Fails when a tracked C++ file differs from the tree's .clang-format, and
# names the files (clang-format -i FILE mends one). CI runs it before the tests.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
command -v clang-format >/dev/null || { echo "clang-format is missing (scripts/setup.sh installs it)" >&2; exit 1; }
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.cc' '*.hpp' '*.c')
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if ((${#bad[@]})); then
  echo "These files differ from .clang-format ($(clang-format --version)):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  echo "Format them with: clang-format -i FILE" >&2
  exit 1
fi
echo "All ${#files[@]} C++ files follow .clang-format."
