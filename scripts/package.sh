#!/usr/bin/env bash
# Builds the release programs and packs them for Windows users, into dist/:
#   velmora-<version>-x64.zip   the programs and their files, flat, to unpack and run anywhere
#   velmora-<version>-x64.msi   a per-machine installer, from packaging/velmora.wxs, built with wixl
# The version is the CMake project's (the top CMakeLists.txt). The programs ship stripped
# (scripts/stage.sh). Given a code-signing certificate, it signs vlm.exe, vlm.com, vlmbd.exe and
# the installer with Authenticode (osslsigncode), through the environment only:
#   VELMORA_SIGN_PFX        the certificate and its private key, a PKCS#12 (.pfx) file
#   VELMORA_SIGN_PASSWORD   that file's password
#   VELMORA_SIGN_TIMESTAMP  optional: a timestamp server's address, so that the signatures outlive
#                           the certificate
# The password never goes on a command line: osslsigncode reads it from a file only this user can
# read, deleted afterwards. Without VELMORA_SIGN_PFX the packages are unsigned, and it says so.
# Installs what is missing first (the build's packages and wixl, msitools, zip, xdotool, osslsigncode
# and openssl, through scripts/setup.sh) and is safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh wixl msitools zip unzip xdotool osslsigncode openssl

# A release tree of its own, without the tests: the mingw preset's toolchain, Release. The test
# command packs its own tree instead (PACKAGE_BUILD=build/mingw, also a Release build), so that
# it checks the packages without building everything twice.
build=${PACKAGE_BUILD:-build/release}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset mingw -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target vlm vlm_console vlmbd library_icons vlm_files >/dev/null

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "No version in $build/CMakeCache.txt" >&2; exit 1; }
name=velmora-$version-x64

# What ships, laid out as it is installed, the programs stripped.
scripts/stage.sh "$build"
stage=$build/stage

# sign FILE: replaces FILE with its signed copy, when a certificate is given.
passfile=""
trap '[ -z "$passfile" ] || rm -f "$passfile"' EXIT
if [ -n "${VELMORA_SIGN_PFX:-}" ]; then
  [ -f "$VELMORA_SIGN_PFX" ] || { echo "VELMORA_SIGN_PFX: no file $VELMORA_SIGN_PFX" >&2; exit 1; }
  [ -n "${VELMORA_SIGN_PASSWORD+set}" ] || { echo "VELMORA_SIGN_PASSWORD is not set" >&2; exit 1; }
  passfile=$(umask 077 && mktemp)
  printf '%s' "$VELMORA_SIGN_PASSWORD" >"$passfile"
  timestamp=()
  [ -z "${VELMORA_SIGN_TIMESTAMP:-}" ] || timestamp=(-ts "$VELMORA_SIGN_TIMESTAMP")
  echo "Signing with $VELMORA_SIGN_PFX"
else
  echo "Unsigned: no certificate given (VELMORA_SIGN_PFX and VELMORA_SIGN_PASSWORD sign the packages)"
fi
sign() {
  [ -n "$passfile" ] || return 0
  osslsigncode sign -pkcs12 "$VELMORA_SIGN_PFX" -readpass "$passfile" -h sha256 -n Velmora \
    "${timestamp[@]}" -in "$1" -out "$1.signed" >/dev/null
  mv "$1.signed" "$1"
}
for program in vlm.exe vlm.com vlmbd.exe; do sign "$stage/$program"; done

mkdir -p dist
rm -f "dist/$name.zip" "dist/$name.msi"

# The zip holds the files flat: Explorer's "Extract All" already puts them into a folder named
# after the zip, where a top folder inside it would be one folder too deep.
(cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | zip -q -X -D "../../../dist/$name.zip" -@)

# The library icons' components are generated from the staged folder, so that the package holds
# whatever icons/CMakeLists.txt copies. Their ids and GUIDs follow from the file names; the folder's
# id, which wixl-heat makes anew on every run, is named IconsDir, so that each build is the same.
(cd "$stage" && find icons -type f | LC_ALL=C sort |
  wixl-heat -p "" --component-group LibraryIcons --var var.BinDir --directory-ref INSTALLDIR --win64) |
  sed -E 's/"dir[0-9A-F]{32}"/"IconsDir"/' >"$build/icons.wxs"
wixl -a x64 -D Version="$version" -D Win64=yes -D BinDir="$stage" -D AppIcon=icons/app/vlm.ico \
  -o "dist/$name.msi" packaging/velmora.wxs "$build/icons.wxs"
sign "dist/$name.msi"

echo "dist/$name.zip"
echo "dist/$name.msi"
