#!/usr/bin/env bash
# Takes the README's screenshots of the real program on X11: starts a virtual
# display with a window manager, clicks the keys and menus with xdotool, and
# photographs each window with ImageMagick's import into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --inside ]; then
  scripts/install-deps imagemagick xdotool openbox x11-utils
  make build
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside
fi

program=build/app/kestrami
out=docs
openbox >/dev/null 2>&1 &
sleep 1

"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
main=$(xdotool search --sync --onlyvisible --name '^NOKIA Kestrami$' | head -n 1)
xdotool windowmove --sync "$main" 40 30
sleep 0.5

# The client area (480 x 409) sits at the bottom of the window, below the
# menu bar. xwininfo gives the window's place on the screen inside its frame.
info=$(xwininfo -id "$main")
left=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
top=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
height=$(awk '/Height:/ {print $2}' <<<"$info")
client_x=$left
client_y=$((top + height - 409))
menu_y=$((top + (height - 409) / 2))

click() {  # x y relative to the client area's top-left corner
  xdotool mousemove --sync $((client_x + $1)) $((client_y + $2)) click 1
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
keys() { local s=$1; for ((i = 0; i < ${#s}; i++)); do key "${s:i:1}"; done; }
shoot() { import -frame -window "$1" "$out/$2"; echo "wrote $out/$2"; }

keys 4351250; enter
keys 4386500; enter
keys 4300032; enter
keys 4351
sleep 0.3
shoot "$main" main-window.png

# Info > About, then Info > Help: the menu title, then its item.
menu_item() {  # title x, item row
  xdotool mousemove --sync $((client_x + $1)) "$menu_y" click 1
  sleep 0.3
  xdotool mousemove --sync $((client_x + $1 + 20)) $((client_y + 10 + 22 * $2)) click 1
  sleep 0.5
}
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
