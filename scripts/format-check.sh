#!/usr/bin/env bash
# Checks that every C++ source keeps to .clang-format; lists what does not and fails.
#   scripts/format-check.sh --fix   formats them instead
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${sources[@]}"
else
  clang-format --dry-run -Werror "${sources[@]}"
fi
