#!/usr/bin/env bash
# Configures (once) and builds the MinGW tree in build/mingw.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/mingw/CMakeCache.txt ] || cmake --preset mingw >/dev/null
cmake --build build/mingw -j"$(nproc)"
