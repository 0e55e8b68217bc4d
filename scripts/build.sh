#!/usr/bin/env bash
# Configures (once) and builds the MinGW tree in build/mingw; arguments name targets to build
# instead of all of them.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/mingw/CMakeCache.txt ] || cmake --preset mingw >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build build/mingw -j"$(nproc)" "${targets[@]}"
