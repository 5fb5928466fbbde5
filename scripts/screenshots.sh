#!/usr/bin/env bash
# Takes the README's screenshots of the real program on X11: starts a virtual
# display with a window manager, clicks the keys and menus with xdotool, and
# photographs each window with ImageMagick's import into docs/. The program
# runs twice: once with the desktop's ordinary palette, once under a dark one
# that the qt6ct platform theme gives it, as a user's dark desktop would.
# The Windows build's main window is photographed too, under Wine.
#
#   screenshots.sh [linux | windows]   (both when neither is named)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --inside ]; then
  which=${1:-all}
  scripts/install-deps imagemagick xdotool openbox x11-utils qt6ct
  if [ "$which" != windows ]; then make build; fi
  if [ "$which" != linux ]; then make windows; fi
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$which"
fi
which=$2

program=(build/app/kestrami)
out=docs
openbox >/dev/null 2>&1 &
sleep 1

pid=
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi' EXIT

# shellcheck source=scripts/drive-window.sh
. scripts/drive-window.sh
start() {  # starts the program and finds its main window
  "${program[@]}" &
  pid=$!
  find_main_window
}
stop() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=
}

shoot() { import -frame -window "$1" "$out/$2"; echo "wrote $out/$2"; }

if [ "$which" != linux ]; then
  # The program from the Windows zip under Wine, in a prefix whose fonts
  # stand in for Windows' own, with the same three results as below.
  work=build-windows/screenshots
  zip=$(realpath build-windows/kestrami-*-windows-x64.zip)
  rm -rf "$work/program"
  mkdir -p "$work/program"
  (cd "$work/program" && cmake -E tar xf "$zip")
  tests/windows/wine-prefix.sh "$(realpath "$work")/wine" --fonts
  export WINEPREFIX=$(realpath "$work")/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  program=(/usr/lib/wine/wine64 "$(find "$work/program" -name kestrami.exe)")
  start
  keys 4351250; enter
  keys 4386500; enter
  keys 4300032; enter
  keys 4351
  sleep 0.5
  shoot "$main" main-window-windows.png
  stop
  /usr/lib/wine/wineserver -k
  program=(build/app/kestrami)
fi
[ "$which" != windows ] || exit 0

# The ordinary palette: three results in the HAM band, then About and Help.
start
keys 4351250; enter
keys 4386500; enter
keys 4300032; enter
keys 4351
sleep 0.3
shoot "$main" main-window.png

menu_item 120 0
about=$(xdotool search --sync --onlyvisible --name '^NOKIA Kestrami - About$' | head -n 1)
xdotool windowmove --sync "$about" 560 60
sleep 0.5
shoot "$about" about-window.png

menu_item 120 1
help=$(xdotool search --sync --onlyvisible --name '^NOKIA Kestrami - Help$' | head -n 1)
xdotool windowmove --sync "$help" 480 300
sleep 0.5
shoot "$help" help-window.png
stop

# A dark palette: the full range with more results than the list shows, so
# that its scroll bar stands beside the longest lines.
config=$(mktemp -d)
mkdir -p "$config/qt6ct"
cat >"$config/qt6ct/qt6ct.conf" <<'CONF'
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Fusion
CONF
export XDG_CONFIG_HOME=$config QT_QPA_PLATFORMTHEME=qt6ct
start
menu_item 70 1  # Settings > 70cm FULL range
for ((i = 0; i < 20; i++)); do
  keys "49998$((10 + 4 * i))"; enter
done
keys 5000000; enter
sleep 0.3
shoot "$main" main-window-dark.png
stop
rm -rf "$config"
