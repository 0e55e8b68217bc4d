#!/usr/bin/env bash
# Checks what scripts/package.sh wrote into dist/: the zip's files, the installer's tables, and the
# installer itself under Wine, in a prefix of its own (build/release/msi-prefix): a silent install
# puts the files and the Start-menu shortcuts in place and registers the product, the installed
# editor starts, a newer package replaces it and an older one is refused, and a silent removal
# takes away the package's files and entries but leaves the user's buttons; the installed console
# companion, vlm.com, answers its switches with their exit codes and starts the editor without one.
# The programs must be stripped. With VELMORA_SIGN_CERT (the signing certificate, or the authority
# that issued it, in PEM) it checks the Authenticode signatures of the programs and the installer
# against it. Prints a PASS or FAIL line per check and exits non-zero when any failed. Run
# scripts/package.sh first.
set -uo pipefail
cd "$(dirname "$0")/.."

build=${PACKAGE_BUILD:-build/release}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt" 2>/dev/null)
zip=dist/velmora-$version-x64.zip
msi=dist/velmora-$version-x64.msi
if [ -z "$version" ] || [ ! -f "$zip" ] || [ ! -f "$msi" ]; then
  echo "FAIL: no packages in dist/ for the version in $build (run scripts/package.sh first)"
  exit 1
fi

upgrade_code='{65D96BEA-26C3-4F82-BCFD-225CEABD470E}'
company=$(sed -n 's/.*VALUE "CompanyName", "\(.*\)".*/\1/p' mainwindow/vlm.rc)
failures=0
check() {  # check DESCRIPTION COMMAND...: runs the command and reports it as a PASS or a FAIL
  local description=$1
  shift
  if "$@"; then echo "PASS: $description"; else echo "FAIL: $description"; failures=$((failures + 1)); fi
}
# same FOUND EXPECTED: whether two texts are equal; otherwise prints the lines that differ.
same() {
  [ "$1" = "$2" ] && return 0
  diff <(printf '%s\n' "$2") <(printf '%s\n' "$1") | sed -n 's/^< /  expected: /p; s/^> /  found:    /p'
  return 1
}

# What ships, in either package: the programs, their files and both looks of the 25 library icons.
expected=$( { printf '%s\n' README.txt vlm.com vlm.exe vlm.html vlmbd.exe vlmtips.txt
              for n in $(seq 1 25); do printf 'icons/%s.ico\nicons/%sgr.ico\n' "$n" "$n"; done; } | LC_ALL=C sort)

# --- The zip -------------------------------------------------------------------------------------
check "zip holds exactly the files that ship, flat" \
  same "$(unzip -Z1 "$zip" | grep -v '/$' | LC_ALL=C sort)" "$expected"
# The zip's programs, unpacked into a scratch folder.
scratch=$(mktemp -d)
prefix_used=""
# Whatever happens, nothing is left behind: the scratch folder, the prefix's wineserver.
trap 'rm -rf "$scratch"; [ -z "$prefix_used" ] || wineserver -k 2>/dev/null' EXIT
unpacked=$scratch/zip
programs=(vlm.exe vlm.com vlmbd.exe)
unzip -q "$zip" "${programs[@]}" -d "$unpacked"
check "zip's programs are the ones staged from the build" \
  bash -c 'for p in "${@:3}"; do cmp -s "$1/$p" "$2/stage/$p" || exit 1; done' _ "$unpacked" "$build" "${programs[@]}"
# Stripped: no symbols and no debug sections (.debug_info and the like).
check "zip's programs are stripped" \
  bash -c 'for p in "${@:2}"; do
             x86_64-w64-mingw32-objdump -h "$1/$p" | grep -q " \.debug" && exit 1
             x86_64-w64-mingw32-nm "$1/$p" 2>&1 | grep -q "no symbols" || exit 1
           done; exit 0' _ "$unpacked" "${programs[@]}"
if [ -n "${VELMORA_SIGN_CERT:-}" ]; then
  check "zip's programs and the installer carry Authenticode signatures by $VELMORA_SIGN_CERT" \
    bash -c 'for f in "${@:2}"; do osslsigncode verify -CAfile "$1" -in "$f" >/dev/null 2>&1 || exit 1; done' _ \
    "$VELMORA_SIGN_CERT" "${programs[@]/#/$unpacked/}" "$msi"
fi
readme=$(unzip -p "$zip" README.txt)
check "README.txt names the version and ends every line with CR LF" \
  bash -c '[[ "$1" == *"Velmora $2"* ]] && ! printf "%s" "$1" | grep -qv $'"'"'\r$'"'"'' _ "$readme" "$version"

# --- The installer's tables ----------------------------------------------------------------------
# msiinfo export writes a table's binary columns (the Icon table's) into a folder of that name in
# the current folder: it runs in the scratch folder.
msi_path=$PWD/$msi
table() { (cd "$scratch" && msiinfo export "$msi_path" "$1") | tr -d '\r' | tail -n +4; }
property() { table Property | awk -F'\t' -v name="$1" '$1 == name { print $2 }'; }
tables=$(msiinfo tables "$msi")
check "msi has the File, Component, Directory, Shortcut, Registry, Icon, Upgrade and Property tables" \
  bash -c 'for t in File Component Directory Shortcut Registry Icon Upgrade Property; do
             grep -qx "$t" <<<"$1" || exit 1; done' _ "$tables"
check "ProductVersion is the CMake version ($version)" same "$(property ProductVersion)" "$version"
check "UpgradeCode is Velmora's fixed one" same "$(property UpgradeCode)" "$upgrade_code"
check "Manufacturer is the version resource's CompanyName ($company)" same "$(property Manufacturer)" "$company"
check "ProductName is Velmora, ProductCode made per build" \
  bash -c '[ "$1" = Velmora ] && [[ "$2" =~ ^\{[0-9A-F-]{36}\}$ ]]' _ \
  "$(property ProductName)" "$(property ProductCode)"
check "per-machine (ALLUSERS=1), with the app icon in Apps & features" \
  bash -c '[ "$1" = 1 ] && [ "$2" = vlm.ico ] && [ -n "$3" ]' _ "$(property ALLUSERS)" \
  "$(property ARPPRODUCTICON)" "$(table Icon | awk -F'\t' '$1 == "vlm.ico"')"
check "x64 package (summary's template)" bash -c 'msiinfo suminfo "$1" | grep -q "^Template: x64;"' _ "$msi"
check "MajorUpgrade: older versions are replaced, newer ones detected" \
  same "$(table Upgrade | cut -f1,2,3,7 | LC_ALL=C sort | tr '\t\n' ' /')" \
  "$upgrade_code  $version WIX_UPGRADE_DETECTED/$upgrade_code $version  WIX_DOWNGRADE_DETECTED/"
# The files, as installed paths: each file's name under its folder (INSTALLDIR or the icons folder).
files=$(LC_ALL=C join -t $'\t' <(table File | cut -f2,3 | LC_ALL=C sort) \
          <(table Component | cut -f1,3 | LC_ALL=C sort) |
        awk -F'\t' '{ sub(/^.*\|/, "", $2); print ($3 == "INSTALLDIR" ? "" : $3 == "IconsDir" ? "icons/" : "?/") $2 }' |
        LC_ALL=C sort)
check "msi installs exactly the files that ship" same "$files" "$expected"
check "icons folder lies in Velmora in ProgramFiles64Folder" \
  same "$(table Directory | awk -F'\t' '$1 == "INSTALLDIR" || $3 == "icons"' | cut -f2,3 |
         LC_ALL=C sort | tr '\t\n' ' /')" \
  "INSTALLDIR icons/ProgramFiles64Folder Velmora/"
check "Start-menu folder Velmora with the editor, the deleter and the user guide" \
  same "$(table Shortcut | cut -f2,3,5 | LC_ALL=C sort | tr '\t\n' ' /')" \
  "ProgramMenuDir Remove All Velmora Buttons [#vlmbd.exe]/ProgramMenuDir Velmora [#vlm.exe]/$(
  )ProgramMenuDir Velmora User Guide [#vlm.html]/"
check "the Start-menu folder is in ProgramMenuFolder" \
  same "$(table Directory | awk -F'\t' '$1 == "ProgramMenuDir" { print $2, $3 }')" "ProgramMenuFolder Velmora"

# --- Under Wine ----------------------------------------------------------------------------------
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
export WINEPREFIX="$PWD/$build/msi-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
prefix_used=yes
drive_c=$WINEPREFIX/drive_c
installed=$drive_c/Program\ Files/Velmora
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
run() { "$wine" "$@" 2>/dev/null | tr -d '\r'; }
# Velmora's entries in "Apps & features", as "version product-code" lines.
products() {
  run reg query "$uninstall_key" | grep -o '{[0-9A-F-]*}$' | while read -r code; do
    run reg query "$uninstall_key\\$code" | grep -q 'DisplayName *REG_SZ *Velmora$' &&
      echo "$(run reg query "$uninstall_key\\$code" /v DisplayVersion | awk '/DisplayVersion/ { print $3 }') $code"
  done
}
# The Start-menu folder's shortcuts: Windows puts a per-machine package's into the all-users Start
# menu; Wine's msiexec puts them into the user's.
shortcuts() {
  find "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velmora" \
       "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Velmora \
       -name '*.lnk' -printf '%f\n' 2>/dev/null | LC_ALL=C sort
}
installed_files() { (cd "$installed" 2>/dev/null && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }

# A prefix left by an earlier run is used again (making one takes a while) unless Velmora is in it.
"$wine" wineboot -i >/dev/null 2>&1
if [ -e "$installed" ] || [ -n "$(products)" ]; then
  wineserver -k 2>/dev/null
  rm -rf "$WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1
fi
# One wineserver for all the Wine calls below, rather than one started and stopped for each.
wineserver -p

run msiexec /i "$msi" /qn
check "msiexec /i /qn succeeds" [ $? -eq 0 ]
check "installed into C:\\Program Files\\Velmora: exactly the files that ship" same "$(installed_files)" "$expected"
check "Start menu: the three shortcuts in the folder Velmora" \
  same "$(shortcuts | tr '\n' /)" "Remove All Velmora Buttons.lnk/Velmora User Guide.lnk/Velmora.lnk/"
product_code=$(property ProductCode)
entry=$(run reg query "$uninstall_key\\$product_code")
check "Apps & features: Velmora $version by $company in C:\\Program Files\\Velmora" \
  bash -c 'grep -q "DisplayName *REG_SZ *Velmora$" <<<"$1" && grep -q "DisplayVersion *REG_SZ *$2$" <<<"$1" &&
           grep -q "Publisher *REG_SZ *$3$" <<<"$1" &&
           grep -qF "InstallLocation    REG_SZ    C:\\Program Files\\Velmora\\" <<<"$1"' _ \
  "$entry" "$version" "$company"

# The installed console companion, as cmd and PowerShell run "vlm": the report on its standard
# output, the exit code its own. Nothing of Velmora's is in the prefix yet, so the check finds nothing.
console() { "$wine" "C:\\Program Files\\Velmora\\vlm.com" "$@" 2>/dev/null | tr -d '\r'; }
usage=$(console /?)
check "vlm.com /? prints the usage and answers 0" \
  bash -c '[ "$1" -eq 0 ] && [[ "$2" == "Usage: vlm SWITCH, one of:"* ]]' _ $? "$usage"
unknown=$(console /nonsense)
check "vlm.com /nonsense answers 2 with the usage" \
  bash -c '[ "$1" -eq 2 ] && [ "$2" = "$(printf "Unknown switch: /nonsense\n%s" "$3")" ]' _ $? "$unknown" "$usage"
checked=$(console /check)
check "vlm.com /check in an empty prefix answers 0 with its report" \
  same "$? $checked" "0 There are no buttons, and nothing is left of any."

# vlm.com without a switch starts the installed editor, which shows its window, and returns at
# once; no buttons are listed: nothing of ours in the browser's toolbar entries.
wineserver -k 2>/dev/null  # the editor's Wine starts afresh on the virtual X server
started=$(xvfb-run -a bash -c '
  timeout 20 "$1" "C:\\Program Files\\Velmora\\vlm.com" >/dev/null 2>&1
  echo "returned $?"
  for i in $(seq 1 40); do
    xdotool search --onlyvisible --name "^Velmora" >/dev/null 2>&1 && { echo window; break; }
    sleep 0.5
  done
  wineserver -k 2>/dev/null; wait' _ "$wine")
wineserver -p
check "installed vlm.com starts the editor (vlm.exe), which shows its window, and returns 0 at once" \
  same "$started" "returned 0
window"
check "no buttons: no toolbar entries in HKCU or HKLM" \
  bash -c 'for root in HKCU HKLM; do
             "$1" reg query "$root\\Software\\Microsoft\\Internet Explorer\\Extensions" /s 2>/dev/null |
               grep -q "^HKEY.*{" && exit 1
           done; exit 0' \
  _ "$wine"

# A newer package replaces this one; this one then refuses to replace the newer. The newer one is
# this package with the next patch number, built from the same staged files.
next=${version%.*}.$((${version##*.} + 1))
next_msi=$build/velmora-$next-x64.msi
wixl -a x64 -D Version="$next" -D Win64=yes -D BinDir="$build/stage" -D AppIcon=icons/app/vlm.ico \
  -o "$next_msi" packaging/velmora.wxs "$build/icons.wxs" 2>/dev/null
run msiexec /i "$next_msi" /qn
check "a newer package ($next) replaces this one: one entry left, the files in place" \
  bash -c '[ "$(wc -l <<<"$1")" -eq 1 ] && [ "${1%% *}" = "$2" ] && [ "$3" = "$4" ]' _ "$(products)" "$next" \
  "$(installed_files)" "$expected"
run msiexec /i "$msi" /qn
refused=$?
check "this package refuses to replace the newer one" \
  bash -c '[ "$1" -ne 0 ] && [ "$2" = "$3" ]' _ "$refused" "$(products | cut -d' ' -f1)" "$next"
run msiexec /x "$next_msi" /qn
check "the newer package is removed silently" same "$(products)" ""

# Removal: the package's files, shortcuts and entries go; the user's buttons stay. A button is
# stood in for by an icon file the editor would have made in icons\ and a toolbar entry.
run msiexec /i "$msi" /qn
button_key='HKCU\Software\Microsoft\Internet Explorer\Extensions\{8D6F4E2A-1B3C-4D5E-9F70-123456789ABC}'
cp "$installed/icons/1.ico" "$installed/icons/notepad.ico"
run reg add "$button_key" /v ButtonText /d Notepad /f >/dev/null
run msiexec /x "$msi" /qn
check "msiexec /x /qn succeeds" [ $? -eq 0 ]
check "removal takes the package's files and leaves the button's icon file" \
  same "$(installed_files)" "icons/notepad.ico"
check "removal takes the Start-menu folder" same "$(shortcuts)" ""
check "removal leaves no entry under ...\\CurrentVersion\\Uninstall" \
  bash -c '[ -z "$1" ] && ! "$2" reg query "$3\\$4" >/dev/null 2>&1' _ \
  "$(products)" "$wine" "$uninstall_key" "$product_code"
check "removal takes HKLM\\Software\\Corvale\\Velmora" \
  bash -c '! "$1" reg query "HKLM\\Software\\Corvale\\Velmora" >/dev/null 2>&1' _ "$wine"
check "removal leaves the user's toolbar entry" bash -c '"$1" reg query "$2" >/dev/null 2>&1' _ "$wine" "$button_key"
run reg delete "$button_key" /f >/dev/null
rm -rf "$installed"
wineserver -k 2>/dev/null

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "All package checks passed"
