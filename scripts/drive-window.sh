# Drives Kestrami's main window on an X display through xdotool, as a user's
# clicks would: sourced by the screenshot script and the Windows program's
# tests, which start the program and then call find_main_window.
#
# The client area (480 x 409) sits at the bottom of the window, below the
# menu bar, so the keys are found from the window's bottom edge and the menu
# titles from its top: a client area of another height makes the clicks miss.

# Waits up to $1 seconds (default 60) for the main window, moves it to a fixed
# place and sets: main (its id), window_width, window_height, client_x,
# client_y (the client area's top-left corner on the screen) and menu_y (the
# middle of the menu bar).
find_main_window() {
  main=$(timeout "${1:-60}" xdotool search --sync --onlyvisible --name '^NOKIA Kestrami$' | head -n 1 || true)
  [ -n "$main" ] || return 1
  xdotool windowmove --sync "$main" 40 30
  sleep 0.5
  # xwininfo gives the window's place on the screen inside its frame.
  local info left top
  info=$(xwininfo -id "$main")
  left=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
  top=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
  window_width=$(awk '/Width:/ {print $2}' <<<"$info")
  window_height=$(awk '/Height:/ {print $2}' <<<"$info")
  client_x=$left
  client_y=$((top + window_height - 409))
  menu_y=$((top + (window_height - 409) / 2))
}

click() {  # x y relative to the client area's top-left corner
  # No --sync: it can wait in vain when the pointer is already there, as for
  # the second of two equal digits.
  xdotool mousemove $((client_x + $1)) $((client_y + $2)) click 1
  sleep 0.1
}

key() {  # a keypad key by its caption ("<" for "<--")
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

# Menu titles' x in the menu bar: File 15, Settings 70, Info 120.
menu_item() {  # title x, item row: the menu title, then its item
  xdotool mousemove --sync $((client_x + $1)) "$menu_y" click 1
  sleep 0.3
  xdotool mousemove --sync $((client_x + $1 + 20)) $((client_y + 10 + 22 * $2)) click 1
  sleep 0.5
}
