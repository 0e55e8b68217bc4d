#!/usr/bin/env bash
# Remakes the screenshots in docs/: starts each window under Wine on a virtual X server and
# photographs it. Needs ImageMagick and xdotool besides what scripts/setup.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for tool in import:imagemagick xdotool:xdotool; do
  if ! command -v "${tool%%:*}" >/dev/null; then
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${tool##*:}" >/dev/null
  fi
done
scripts/build.sh vlmbd library_icons >/dev/null

export WINEPREFIX="$PWD/build/mingw/wineprefix"
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
# No window manager runs here: let Wine draw the title bars and borders itself.
cmake/wine-run.sh reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

# Waits for a window with the given title and saves a picture of it.
shoot() {
  local title=$1 file=$2 id=""
  for _ in $(seq 1 60); do
    id=$(xdotool search --name "^${title}\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.5
  done
  [ -n "$id" ] || { echo "no window \"$title\"" >&2; return 1; }
  sleep 1
  import -window "$id" "$file"
  echo "$file"
}

cmake/wine-run.sh build/mingw/bin/vlmbd.exe &
shoot "Velmora Button Deleter" docs/vlmbd.png
# The confirmation that the button asks for.
xdotool key --window "$(xdotool search --name '^Velmora Button Deleter$' | head -n 1)" space || true
shoot "Please Confirm" docs/vlmbd-confirm.png || true
wineserver -k 2>/dev/null || true
