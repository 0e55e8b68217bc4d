#!/usr/bin/env bash
# Sets up what is missing, checks the sources' format, compiles the programs with clang as well (a
# warning fails), builds, runs every test under Wine on a virtual X server, then makes, signs and
# checks the packages.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/format-check.sh
scripts/clang-build.sh
scripts/build.sh
xvfb-run -a ctest --test-dir build/mingw --output-on-failure
# The zip and the MSI made from the same build, signed with a throwaway self-signed certificate
# (made here, in a folder of its own that goes afterwards), read back with their signatures checked,
# and installed and removed under Wine.
scripts/setup.sh osslsigncode openssl
signing=$(mktemp -d)
trap 'rm -rf "$signing"' EXIT
(
  umask 077
  cd "$signing"
  openssl rand -hex 16 >password
  openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out certificate.pem -days 2 \
    -subj "/CN=Velmora test signing" -addext "keyUsage=digitalSignature" \
    -addext "extendedKeyUsage=codeSigning" 2>/dev/null
  openssl pkcs12 -export -inkey key.pem -in certificate.pem -out signing.pfx -passout file:password
)
VELMORA_SIGN_PFX=$signing/signing.pfx VELMORA_SIGN_PASSWORD=$(cat "$signing/password") \
  PACKAGE_BUILD=build/mingw scripts/package.sh
VELMORA_SIGN_CERT=$signing/certificate.pem PACKAGE_BUILD=build/mingw scripts/package-check.sh
