#!/usr/bin/env bash
# The installer in a scratch Wine prefix: a silent install puts the program
# under Program Files, with a Start-menu entry pointing at it and an entry in
# the installed programs; the program found through the entry runs and, as
# an installed copy, saves its results in the user's Documents folder, never
# beside itself; a silent uninstall then leaves no file and no registry key
# of the program's behind, and the user's results files where they are.
#
#   installer_test.sh SETUP VERSION WORK_FOLDER
# Exits 77 (skipped) where no virtual display can be had.
set -euo pipefail
setup=$1 version=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=desktop_test.sh
. "$here/desktop_test.sh"
on_virtual_display "$setup" xvfb-run xdotool xwininfo openbox strings -- "$@"

fail() { echo "FAILED: $*" >&2; exit 1; }

prefix=$work/wine
rm -rf "$prefix" "$work/home"
# Wine links the Windows user's Documents folder into the home folder: a
# scratch one keeps the test's results file out of the real one.
export HOME=$work/home
mkdir -p "$HOME"
"$here/wine-prefix.sh" "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
drive=$prefix/drive_c

# What the prefix holds before: its files and every registry line naming us.
files() { (cd "$drive" && find . -path ./windows -prune -o -path './users/*/Temp' -prune -o -print | sort); }
ours() {  # the lines of the hive $1 that name us
  "$wine" reg export "$1" "$work/$1.reg" /y >/dev/null 2>&1 || fail "reg could not export $1"
  iconv -f UTF-16LE -t UTF-8 "$work/$1.reg" | tr -d '\r' | grep -i kestrami || true
}
files > "$work/files-before.txt"

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrami'
installed="$drive/Program Files/Kestrami"

"$wine" "$setup" /S || fail "the silent install ended with status $?"
"$wineserver" -w
[ -f "$installed/kestrami.exe" ] || fail "no kestrami.exe in C:\\Program Files\\Kestrami"
for file in LICENSE.txt README.txt Uninstall.exe; do
  [ -f "$installed/$file" ] || fail "no $file in C:\\Program Files\\Kestrami"
done

# The Start-menu entry, for every user, and the program it points at.
link="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Kestrami/Kestrami.lnk"
[ -f "$link" ] || fail "no Start-menu entry Kestrami\\Kestrami.lnk"
target=$(strings -a "$link" | grep -i -m 1 '^[A-Z]:\\.*\.exe$' || true)
echo "Start-menu entry points at: $target"
[ "${target,,}" = 'c:\program files\kestrami\kestrami.exe' ] || fail "the Start-menu entry points at '$target'"

# The entry in the installed programs.
entry=$("$wine" reg query "$uninstall_key" 2>/dev/null | tr -d '\r')
for value in "DisplayName.*Kestrami$" "DisplayVersion.*$version$" 'DisplayIcon.*\\kestrami\.exe$' 'UninstallString.*\\Uninstall\.exe"?$'; do
  grep -q -E "$value" <<<"$entry" || fail "the installed-programs entry lacks $value:
$entry"
done

# The program the entry points at runs; a result and File > Save go to the
# Documents folder, whose place the program tells once in a box, and File >
# Exit ends it with status 0.
openbox >/dev/null 2>&1 &
window_manager=$!
trap 'kill "$window_manager" 2>/dev/null || true; "$wineserver" -k 2>/dev/null || true' EXIT
sleep 1
# shellcheck source=../../scripts/drive-window.sh
. "$here/../../scripts/drive-window.sh"
"$wine" "$target" &
pid=$!
find_main_window 90 || fail "the installed program showed no window within 90 s"
keys 4351250; enter
menu_item 15 0  # File > Save
saved=
for _ in $(seq 50); do
  saved=$(find -L "$drive/users" -name Kestrami.txt -print -quit)
  [ -n "$saved" ] && break
  sleep 0.2
done
[ ! -e "$installed/Kestrami.txt" ] || fail "the installed program saved beside itself"
[[ "$saved" == */Documents/Kestrami.txt ]] || fail "no Kestrami.txt in the Documents folder (found: '$saved')"
printf 'HAM Range:\r\n430-440 MHz\r\nFo=435.1250  n=5620\r\n\r\n \r\n' | cmp - "$saved" ||
  fail "the Documents folder's Kestrami.txt is not the expected block"
echo "the installed program saved to ${saved#"$drive/"}"
xdotool key Return  # the box that says where the file went
sleep 0.5
menu_item 15 1  # File > Exit
timeout 30 tail --pid="$pid" -f /dev/null || fail "File > Exit did not end the installed program"
wait "$pid" || fail "the installed program ended with status $?"
echo "the installed program ran and ended with status 0"

# A results file of the user's beside the program stays; all else goes.
printf 'HAM Range:\r\n' > "$installed/Kestrami.txt"
"$wine" "$installed/Uninstall.exe" /S || fail "the silent uninstall ended with status $?"
# The uninstaller runs on from a copy of itself: wait for every process.
"$wineserver" -w
[ -f "$installed/Kestrami.txt" ] || fail "the uninstaller removed the user's Kestrami.txt"
[ -f "$saved" ] || fail "the uninstaller removed the Kestrami.txt in the Documents folder"
rm "$saved"
left=$(find "$installed" -mindepth 1 ! -name Kestrami.txt)
[ -z "$left" ] || fail "the uninstaller left: $left"
rm "$installed/Kestrami.txt"
rmdir "$installed"
files > "$work/files-after.txt"
if ! diff "$work/files-before.txt" "$work/files-after.txt"; then
  fail "files left or added by installing and uninstalling (above)"
fi
ours HKLM > "$work/registry-left.txt"
ours HKCU >> "$work/registry-left.txt"
[ ! -s "$work/registry-left.txt" ] || fail "registry entries left: $(cat "$work/registry-left.txt")"
echo "the silent uninstall left no file or registry key of its own"
