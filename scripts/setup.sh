#!/usr/bin/env bash
# Installs what building and testing Velmora needs on Debian, skipping what is there already:
# the MinGW-w64 cross compiler, clang (a second compiler for the programs) and clang-format,
# CMake, GoogleTest's sources, Wine and a virtual X server; and any further packages named on its
# command line.
set -euo pipefail

packages=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 clang clang-format googletest wine wine64
          fonts-wine xvfb xauth)
# A script that needs more names its packages: scripts/setup.sh PACKAGE...
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
