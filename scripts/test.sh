#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test under Wine on a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
xvfb-run -a ctest --test-dir build/mingw --output-on-failure
