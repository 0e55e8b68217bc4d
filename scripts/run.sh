#!/usr/bin/env bash
# Sets up what is missing, builds, and starts the editor (or, with the argument "vlmbd", the button
# deleter) under Wine, in the build tree's own Wine prefix. Without a display it runs on a virtual
# X server, where nothing can be seen.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
program=build/mingw/bin/${1:-vlm}.exe
[ -f "$program" ] || { echo "No such program: $program (the programs are vlm and vlmbd)" >&2; exit 2; }
if [ -n "${DISPLAY:-}" ]; then
  exec cmake/wine-run.sh "$program"
fi
echo "No display: starting on a virtual X server (Xvfb); the window cannot be seen there."
exec xvfb-run -a cmake/wine-run.sh "$program"
