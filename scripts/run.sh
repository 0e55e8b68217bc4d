#!/usr/bin/env bash
# Sets up what is missing, builds, and starts the program under Wine (in the build tree's own
# Wine prefix). Without a display it runs on a virtual X server, where nothing can be seen.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
program=build/mingw/bin/vlmbd.exe
if [ -n "${DISPLAY:-}" ]; then
  exec cmake/wine-run.sh "$program"
fi
echo "No display: starting on a virtual X server (Xvfb); the window cannot be seen there."
exec xvfb-run -a cmake/wine-run.sh "$program"
