#!/usr/bin/env bash
# Builds the release programs and packs them for Windows users, into dist/:
#   velmora-<version>-x64.zip   the programs and their files, flat, to unpack and run anywhere
#   velmora-<version>-x64.msi   a per-machine installer, from packaging/velmora.wxs, built with wixl
# The version is the CMake project's (the top CMakeLists.txt). Installs what is missing first (the
# build's packages and wixl, msitools, zip and xdotool, through scripts/setup.sh) and is safe to run
# again.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh wixl msitools zip unzip xdotool

# A release tree of its own, without the tests: the mingw preset's toolchain, Release. The test
# command packs its own tree instead (PACKAGE_BUILD=build/mingw, also a Release build), so that
# it checks the packages without building everything twice.
build=${PACKAGE_BUILD:-build/release}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset mingw -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target vlm vlmbd library_icons vlm_files >/dev/null

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "No version in $build/CMakeCache.txt" >&2; exit 1; }
name=velmora-$version-x64

# What ships, laid out as it is installed: the programs, their files, the library icons and the
# read-me (with Windows line ends). Made afresh, so that nothing left from an earlier run ships.
stage=$build/stage
rm -rf "$stage"
mkdir -p "$stage/icons"
cp "$build/bin/vlm.exe" "$build/bin/vlmbd.exe" "$build/bin/vlm.html" "$build/bin/vlmtips.txt" "$stage/"
cp "$build/bin/icons/"*.ico "$stage/icons/"
sed -e "s/@VERSION@/$version/g" -e 's/\r*$/\r/' packaging/README.txt >"$stage/README.txt"

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

echo "dist/$name.zip"
echo "dist/$name.msi"
