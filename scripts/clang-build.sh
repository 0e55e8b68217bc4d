#!/usr/bin/env bash
# Compiles the programs (not the tests) with clang for the same MinGW-w64 target in build/clang,
# so that the sources keep to the language both compilers take: every warning is an error there.
# Nothing is linked; the programs themselves come from scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/clang/CMakeCache.txt ]; then
  cmake -S . -B build/clang -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE=cmake/clang-mingw-w64.cmake \
        -DVELMORA_TESTS=OFF >/dev/null
fi
cmake --build build/clang -j"$(nproc)"
