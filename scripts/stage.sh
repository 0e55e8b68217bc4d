#!/usr/bin/env bash
# Lays out what the packages ship, from a build tree whose programs are built, into BUILD/stage:
# the programs (vlm.exe, its console companion vlm.com, vlmbd.exe) stripped of their symbols and
# debug sections, the tips file, the user guide, the library icons in icons\ and the read-me (with
# Windows line ends). Made afresh, so that nothing left from an earlier run ships.
#   scripts/stage.sh BUILD
# scripts/package.sh packs (and signs) it; scripts/bench.sh measures the programs' sizes in it.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:?usage: scripts/stage.sh BUILD}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "No version in $build/CMakeCache.txt" >&2; exit 1; }

stage=$build/stage
rm -rf "$stage"
mkdir -p "$stage/icons"
for program in vlm.exe vlm.com vlmbd.exe; do
  x86_64-w64-mingw32-strip --strip-all -o "$stage/$program" "$build/bin/$program"
done
cp "$build/bin/vlm.html" "$build/bin/vlmtips.txt" "$stage/"
cp "$build/bin/icons/"*.ico "$stage/icons/"
sed -e "s/@VERSION@/$version/g" -e 's/\r*$/\r/' packaging/README.txt >"$stage/README.txt"
