#!/usr/bin/env bash
# Makes the Wine prefix PREFIX for the tests, unless it is there already:
# 64-bit, without Wine's .NET and HTML engines and desktop menu entries, and
# with --fonts: Debian's Liberation fonts in its Windows font folder, and
# the faces Windows has for "Courier New", "Courier", "MS Sans Serif", "MS
# Shell Dlg" and Arial replaced by them, as they are metric-compatible, so
# that text is measured as on Windows. Only the tests' prefixes get this;
# the program itself relies on none of it.
#
#   wine-prefix.sh PREFIX [--fonts]
set -euo pipefail
prefix=$1
here=$(cd "$(dirname "$0")" && pwd)
wine=${WINE:-/usr/lib/wine/wine64}
wineserver=$(dirname "$wine")/wineserver
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$prefix/.kestrami-ready" ]; then
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  echo "Creating the Wine prefix $prefix"
  # Made without a display: Wine shows no window while it sets up.
  env -u DISPLAY -u WAYLAND_DISPLAY "$wine" wineboot --init > "$prefix.log" 2>&1 < /dev/null || {
    cat "$prefix.log" >&2
    echo "wine-prefix.sh: making the Wine prefix $prefix failed" >&2
    exit 1
  }
  if [ "${2:-}" = --fonts ]; then
    ln -s /usr/share/fonts/truetype/liberation/*.ttf "$prefix/drive_c/windows/Fonts/"
    env -u DISPLAY -u WAYLAND_DISPLAY "$wine" reg import "$here/fonts.reg" > /dev/null 2>&1 < /dev/null
  fi
  # The server ends, and writes the registry out, before the prefix is used:
  # one left from the headless start would keep windows from appearing.
  "$wineserver" -w
  touch "$prefix/.kestrami-ready"
fi
