#!/usr/bin/env bash
# Takes the README's screenshots of the real program on X11: starts a virtual
# display with a window manager, clicks the keys and menus with xdotool, and
# photographs each window with ImageMagick's import into docs/. The program
# runs twice: once with the desktop's ordinary palette, once under a dark one
# that the qt6ct platform theme gives it, as a user's dark desktop would.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --inside ]; then
  scripts/install-deps imagemagick xdotool openbox x11-utils qt6ct
  make build
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside
fi

program=build/app/kestrami
out=docs
openbox >/dev/null 2>&1 &
sleep 1

pid=
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi' EXIT

start() {  # starts the program and finds its main window's client area
  "$program" &
  pid=$!
  main=$(xdotool search --sync --onlyvisible --name '^NOKIA Kestrami$' | head -n 1)
  xdotool windowmove --sync "$main" 40 30
  sleep 0.5
  # The client area (480 x 409) sits at the bottom of the window, below the
  # menu bar. xwininfo gives the window's place on the screen inside its
  # frame.
  local info left top height
  info=$(xwininfo -id "$main")
  left=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
  top=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
  height=$(awk '/Height:/ {print $2}' <<<"$info")
  client_x=$left
  client_y=$((top + height - 409))
  menu_y=$((top + (height - 409) / 2))
}
stop() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=
}

click() {  # x y relative to the client area's top-left corner
  # No --sync: it can wait in vain when the pointer is already there, as for
  # the second of two equal digits.
  xdotool mousemove $((client_x + $1)) $((client_y + $2)) click 1
  sleep 0.1
}
key() {  # a keypad key by its caption
  local column row
  case "$1" in
    1|2|3) row=0 ;; 4|5|6) row=1 ;; 7|8|9) row=2 ;; *) row=3 ;;
  esac
  case "$1" in
    1|4|7|0) column=0 ;; 2|5|8|'<') column=1 ;; *) column=2 ;;
  esac
  click $((9 + 21 + 64 * column + 28)) $((9 + 71 + 64 * row + 28))
}
enter() { click $((9 + 24 + 92)) $((9 + 327 + 20)); }
keys() { local s=$1 k; for ((k = 0; k < ${#s}; k++)); do key "${s:k:1}"; done; }
shoot() { import -frame -window "$1" "$out/$2"; echo "wrote $out/$2"; }
menu_item() {  # title x, item row: the menu title, then its item
  xdotool mousemove --sync $((client_x + $1)) "$menu_y" click 1
  sleep 0.3
  xdotool mousemove --sync $((client_x + $1 + 20)) $((client_y + 10 + 22 * $2)) click 1
  sleep 0.5
}

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
