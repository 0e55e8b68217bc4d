#!/usr/bin/env bash
# Sets up what is missing, compiles the programs with clang as well (a warning fails), builds,
# and runs every test under Wine on a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/clang-build.sh
scripts/build.sh
xvfb-run -a ctest --test-dir build/mingw --output-on-failure
