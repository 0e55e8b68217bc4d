#!/bin/sh
# Runs a Windows program under Wine in the build tree's own prefix, never ~/.wine.
#   wine-run.sh PROGRAM [ARGS...]   run it (the prefix is made on first use)
#   wine-run.sh --stop BUILD_DIR    stop that prefix's wineserver, so nothing is left running
# WINEPREFIX may be set by the caller; otherwise it is <build dir>/wineprefix, where the build
# dir is the nearest folder above the program that holds CMakeCache.txt.
set -e
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer prompts when a prefix is made.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

build_dir_of() {
  dir=$(cd "$1" && pwd)
  while [ "$dir" != "/" ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ -f "$dir/CMakeCache.txt" ] || dir=$(cd "$1" && pwd)
  echo "$dir"
}

if [ "$1" = "--stop" ]; then
  [ -n "$WINEPREFIX" ] || WINEPREFIX="$(build_dir_of "${2:-.}")/wineprefix"
  export WINEPREFIX
  [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
  exit 0
fi

[ -n "$WINEPREFIX" ] || WINEPREFIX="$(build_dir_of "$(dirname "$1")")/wineprefix"
export WINEPREFIX
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1 || true
fi
exec "$wine" "$@"
