#!/usr/bin/env bash
# Remakes the screenshots in docs/: starts each window under Wine on a virtual X server and
# photographs it. Needs ImageMagick and xdotool besides what scripts/setup.sh installs. The editor
# is started with three buttons recorded in the build tree's own Wine prefix (one of each icon
# kind), and its windows are reached with the keyboard, as a user without a mouse would.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for tool in import:imagemagick xdotool:xdotool; do
  if ! command -v "${tool%%:*}" >/dev/null; then
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${tool##*:}" >/dev/null
  fi
done
scripts/build.sh vlm vlmbd library_icons >/dev/null

export WINEPREFIX="$PWD/build/mingw/wineprefix"
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 2560x1700x24 >/dev/null 2>&1 &
xvfb=$!
# The buttons' own files the pictures' buttons leave beside the build's vlm.exe go with them, so that
# the packages made from the same build hold the library icons only.
cleanup() {
  WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
  kill $xvfb 2>/dev/null || true
  find build/mingw/bin/icons -maxdepth 1 -type f -name '*.ico' ! -regex '.*/[0-9]+\(gr\)?\.ico' -delete
  rm -rf build/mingw/bin/shortcuts
}
trap cleanup EXIT
export DISPLAY=$display
sleep 1
xdotool mousemove 0 0  # out of the way of hot-tracked buttons
run() { cmake/wine-run.sh "$@"; }
# No window manager runs here: let Wine draw the title bars and borders itself.
run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

# Waits for a window with the given title and answers its id.
wait_for() {
  local title=$1 id=""
  for _ in $(seq 1 60); do
    id=$(xdotool search --name "^${title}\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.5
  done
  echo "no window \"$title\"" >&2
  return 1
}
# Waits for a window with the given title and saves a picture of it.
shoot() {
  local id
  id=$(wait_for "$1")
  sleep 1
  import -window "$id" "$2"
  echo "$2"
}
keys() { xdotool key --delay 120 "$@"; sleep 0.5; }
# The screen's part under the named windows (with the menus and outlines drawn over them).
shoot_area() {
  local file=$1; shift
  local left=100000 top=100000 right=0 bottom=0
  sleep "${delay:-1}"
  for title in "$@"; do
    local id
    id=$(xdotool search --name "^${title}\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] || { echo "no window \"$title\"" >&2; return 1; }
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ "$X" -lt "$left" ] && left=$X
    [ "$Y" -lt "$top" ] && top=$Y
    [ $((X + WIDTH)) -gt "$right" ] && right=$((X + WIDTH))
    [ $((Y + HEIGHT)) -gt "$bottom" ] && bottom=$((Y + HEIGHT))
  done
  import -window root -crop "$((right - left))x$((bottom - top))+${left}+${top}" +repage "$file"
  echo "$file"
}
# The icon library has no caption: it is the smallest visible window without a name.
shoot_untitled() {
  local file=$1 best="" best_area=0
  # Wine may take the pointer to be where it last saw it, over the icons: it leaves them now.
  xdotool mousemove 5 5 sleep 0.3 mousemove 0 0
  sleep 1
  for id in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    local area=$((WIDTH * HEIGHT))
    # (A tooltip of the icons is smaller than the window, and lower.)
    if [ "$WIDTH" -gt 50 ] && [ "$HEIGHT" -gt 100 ] && { [ -z "$best" ] || [ "$area" -lt "$best_area" ]; }; then
      best=$id; best_area=$area
    fi
  done
  [ -n "$best" ] || { echo "no untitled window" >&2; return 1; }
  import -window "$best" "$file"
  echo "$file"
}

# The deleter and its confirmation.
run build/mingw/bin/vlmbd.exe &
shoot "Velmora Button Deleter" docs/vlmbd.png
keys Return
shoot "Please Confirm" docs/vlmbd-confirm.png
wineserver -k 2>/dev/null || true

# Three recorded buttons, every notice and the tip of the day turned on again.
disk_icon=$(run winepath -w "$PWD/build/mingw/bin/icons/17.ico" 2>/dev/null | tr -d '\r' | sed 's/\\/\\\\/g')
records='HKEY_CURRENT_USER\Software\Corvale\Velmora\Added Buttons'
reg_file=build/mingw/screenshots.reg
cat > "$reg_file" <<REG
REGEDIT4

[-HKEY_CURRENT_USER\Software\Corvale\Velmora]
[-HKEY_CURRENT_USER\Software\VB and VBA Program Settings\vlm]

[$records]
"Count"="3"

[$records\{3037FC09-62A6-4446-AA30-BB9DB0CD9B65}]
"Icon"="program"
"Program"="C:\\\\windows\\\\system32\\\\notepad.exe"
"ButtonText"="Notepad"
"MenuText"="Notepad"
"MenuStatusBar"="Opens Notepad"
"Scope"="Current User"
"Arguments"=""
"Link"=""

[$records\{D7C9BA79-A8C8-442e-B239-6C571815DBD4}]
"Icon"="disk"
"Icon File"="$disk_icon"
"Program"="https://www.example.com/"
"ButtonText"="Example"
"MenuText"="Example site"
"MenuStatusBar"="Opens the example site"
"Scope"="All Users"
"Arguments"=""
"Link"=""

[$records\{49A4746B-488B-4843-9C66-F8C97464CF19}]
"Icon"="9"
"Program"="C:\\\\windows\\\\system32\\\\cmd.exe"
"ButtonText"="Prompt"
"MenuText"="Command Prompt"
"MenuStatusBar"="Opens a command prompt in the home folder"
"Scope"="Current User"
"Arguments"="/k cd %USERPROFILE%"
"Link"="C:\\\\Program Files\\\\Velmora\\\\shortcuts\\\\cmd.lnk"
REG
run regedit /s "$(run winepath -w "$PWD/$reg_file" 2>/dev/null | tr -d '\r')"

run build/mingw/bin/vlm.exe &
shoot "VelmoraTip of the Day" docs/vlm-tip.png
keys Return
shoot "Velmora" docs/vlm.png
# The focus starts on "Add Button"; eight steps back is "Select Icon from Library". The mouse
# stays away from the icons, whose names it would show.
xdotool mousemove 0 0
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
shoot_untitled docs/vlm-library.png
keys Escape
# Three steps back is "File to Launch"; a program there, then "Use Program Icon" shows its notice.
keys shift+Tab shift+Tab shift+Tab
xdotool type --delay 40 'C:\windows\system32\notepad.exe'
keys Tab Tab Tab space
shoot "Important Message" docs/vlm-notice.png
keys Return
# The list's menu, opened with a right click on the first row.
eval "$(xdotool search --name '^Velmora$' getwindowgeometry --shell | head -n 5)"
xdotool mousemove $((X + 100)) $((Y + 95)) sleep 0.3 mousemove $((X + 102)) $((Y + 96)) sleep 0.3 click 3
shoot_area docs/vlm-list-menu.png "Velmora"
keys Escape
xdotool mousemove 0 0
# The tutorial on its first step, while the outline is in its visible half second.
keys alt+h i
wait_for "Velmora Tutorial" >/dev/null
sleep 1
xdotool key space
delay=0.1 shoot_area docs/vlm-tutorial.png "Velmora" "Velmora Tutorial"
keys alt+F4
keys alt+h a
shoot "About..." docs/vlm-about.png
keys Return
wineserver -k 2>/dev/null || true

# The check window, on the three buttons above with an entry in slot 7 that no button owns (their
# program icon and shortcut files are not there either).
run reg add 'HKCU\Software\VB and VBA Program Settings\vlm\Options' /v 'Show Tips at Startup' /d 0 /f >/dev/null 2>&1
run reg add 'HKCU\Software\Microsoft\Internet Explorer\Extensions\{9AC215C7-785A-4120-9DDA-07947660B96E}' \
    /v ButtonText /d 'Old button' /f >/dev/null 2>&1
run build/mingw/bin/vlm.exe &
wait_for "Velmora" >/dev/null
sleep 1
keys alt+f c
shoot "Check Buttons" docs/vlm-check.png
# "Repair" has the focus: what it did, and what it could not do (the shortcut's folder is not there).
keys Return
shoot "Check Buttons" docs/vlm-check-repaired.png
keys Escape
wineserver -k 2>/dev/null || true

# An import of more buttons than the list takes: the summary scrolls instead of growing past the
# screen, and stands over the list that shows what was added.
import_file=build/mingw/screenshots-import.reg
{
  printf 'REGEDIT4\r\n'
  for n in $(seq 1 80); do
    icon=$((n % 25 + 1))
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Extensions\\'
    printf '{00000000-0000-0000-0000-%012d}]\r\n' "$n"
    printf '"Clsid"="{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}"\r\n"Exec"="C:\\\\Tools\\\\tool %d.exe"\r\n' "$n"
    printf '"Icon"="%dgr.ico"\r\n"HotIcon"="%d.ico"\r\n"ButtonText"="Tool %d"\r\n' "$icon" "$icon" "$n"
  done
} >"$import_file"
run build/mingw/bin/vlm.exe &
wait_for "Velmora" >/dev/null
sleep 1
keys alt+f i
wait_for "Import Buttons" >/dev/null
sleep 1
xdotool type --delay 20 "$(run winepath -w "$PWD/$import_file" 2>/dev/null | tr -d '\r')"
keys Return
delay=2 shoot_area docs/vlm-import.png "Velmora" "Import Buttons"
keys Return
wineserver -k 2>/dev/null || true

# A file named on the command line: the drag-and-drop notice comes first.
run reg add 'HKCU\Software\VB and VBA Program Settings\vlm\Options' /v 'Show Tips at Startup' /d 0 /f >/dev/null 2>&1
run build/mingw/bin/vlm.exe 'C:\windows\system32\notepad.exe' &
shoot "Important Info About Drag-and-Drop" docs/vlm-drop-notice.png
keys Return
wineserver -k 2>/dev/null || true

# Windows 11: Wine reports the build number the prefix's registry names. The notice comes at
# start-up (the tip is off), then the check window shows its note; the number goes back afterwards,
# also when the script stops early.
version_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
build_number=$(run reg query "$version_key" /v CurrentBuildNumber 2>/dev/null | tr -d '\r' |
  awk '$1 == "CurrentBuildNumber" { print $3 }')
[ -n "$build_number" ] || { echo "the prefix names no Windows build number" >&2; exit 1; }
restore_build() {
  wineserver -k 2>/dev/null || true
  run reg add "$version_key" /v CurrentBuildNumber /d "$build_number" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
}
trap 'restore_build; cleanup' EXIT
run reg add "$version_key" /v CurrentBuildNumber /d 22631 /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
run build/mingw/bin/vlm.exe &
shoot "Important Message" docs/vlm-windows11.png
keys Return
keys alt+f c
shoot "Check Buttons" docs/vlm-check-windows11.png
keys Escape
restore_build
trap cleanup EXIT

# The main window, the icon library and the about box at 150 % and 200 %: the screen's DPI is
# Wine's LogPixels, read when the prefix's programs start.
for scale in 150 200; do
  run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $((96 * scale / 100)) /f >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  xdotool mousemove 0 0
  run build/mingw/bin/vlm.exe &
  shoot "Velmora" "docs/vlm-$scale.png"
  keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
  shoot_untitled "docs/vlm-library-$scale.png"
  keys Escape
  keys alt+h a
  shoot "About..." "docs/vlm-about-$scale.png"
  keys Return
  wineserver -k 2>/dev/null || true
done
run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
