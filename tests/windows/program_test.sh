#!/usr/bin/env bash
# The program as a user gets it, from the zip, under Wine on a virtual X
# display of its own: its window appears titled "NOKIA Kestrami" with a
# client area of 480 x 409 below the menu bar; two frequencies keyed in on
# the keypad and File > Save append the 72-byte block to Kestrami.txt beside
# the program; File > Exit ends it with status 0.
#
#   program_test.sh ZIP WORK_FOLDER
# Exits 77 (skipped) where no virtual display can be had.
set -euo pipefail
zip=$1 work=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=desktop_test.sh
. "$here/desktop_test.sh"
on_virtual_display "$zip" xvfb-run xdotool xwininfo openbox -- "$@"

prefix=$work/wine
"$here/wine-prefix.sh" "$prefix" --fonts
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

folder=$work/program
rm -rf "$folder"
mkdir -p "$folder"
(cd "$folder" && cmake -E tar xf "$zip")
program=$(find "$folder" -name kestrami.exe)

openbox >/dev/null 2>&1 &
window_manager=$!
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  kill "$window_manager" 2>/dev/null || true
  "$wineserver" -k 2>/dev/null || true
}
trap cleanup EXIT
sleep 1

# shellcheck source=../../scripts/drive-window.sh
. "$here/../../scripts/drive-window.sh"
"$wine" "$program" &
pid=$!
if ! find_main_window 90; then
  echo "FAILED: no window titled \"NOKIA Kestrami\" appeared within 90 s" >&2
  exit 1
fi
menu_height=$((window_height - 409))
echo "window: ${window_width} x ${window_height}, of which the menu bar ${menu_height}"
if [ "$window_width" -ne 480 ] || [ "$menu_height" -lt 12 ] || [ "$menu_height" -gt 40 ]; then
  echo "FAILED: the window is ${window_width} x ${window_height}: not 480 wide with 409 below a menu bar" >&2
  exit 1
fi

keys 4351250; enter
keys 4385000; enter
menu_item 15 0  # File > Save
expected=$work/expected.txt
printf 'HAM Range:\r\n430-440 MHz\r\nFo=435.1250  n=5620\r\nFo=438.5000  n=6160\r\n\r\n \r\n' > "$expected"
saved=$(dirname "$program")/Kestrami.txt
for _ in $(seq 50); do [ -s "$saved" ] && break; sleep 0.2; done
if ! cmp "$expected" "$saved"; then
  echo "FAILED: Kestrami.txt beside the program is not the expected 72-byte block:" >&2
  od -c "$saved" >&2 || true
  exit 1
fi
echo "Kestrami.txt: $(wc -c < "$saved") bytes, as expected"

menu_item 15 1  # File > Exit
status=0
timeout 30 tail --pid="$pid" -f /dev/null || { echo "FAILED: File > Exit did not end the program" >&2; exit 1; }
wait "$pid" || status=$?
pid=
if [ "$status" -ne 0 ]; then
  echo "FAILED: the program ended with status $status after File > Exit" >&2
  exit 1
fi
echo "File > Exit: status 0"
