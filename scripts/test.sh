#!/usr/bin/env bash
# Sets up what is missing, checks the sources' format, compiles the programs with clang as well (a
# warning fails), builds, runs every test under Wine on a virtual X server, then makes and checks
# the packages.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/format-check.sh
scripts/clang-build.sh
scripts/build.sh
xvfb-run -a ctest --test-dir build/mingw --output-on-failure
# The zip and the MSI made from the same build, read back, and installed and removed under Wine.
PACKAGE_BUILD=build/mingw scripts/package.sh
PACKAGE_BUILD=build/mingw scripts/package-check.sh
