# What the tests of the Windows program on a virtual X display share; sourced.

# The program runs as a user's would: on the desktop's own platform, not on
# the offscreen one the window tests get.
unset WINEQT_QPA_PLATFORM
wine=${WINE:-/usr/lib/wine/wine64}
wineserver=$(dirname "$wine")/wineserver

# on_virtual_display PACKAGE TOOL... -- ARGUMENT...
# Skips the test (status 77) where a tool it needs is missing, fails where
# the package to test is, and runs the test script again, with its
# ARGUMENTs, on a virtual X display of its own.
on_virtual_display() {
  local package=$1 tool
  shift
  while [ "$1" != -- ]; do
    tool=$1
    shift
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "skipped: $tool is missing (scripts/install-deps --windows installs it)"
      exit 77
    fi
  done
  shift
  if [ ! -f "$package" ]; then
    echo "$package is missing: make windows builds it" >&2
    exit 1
  fi
  if [ "${KESTRAMI_INSIDE_X:-}" != 1 ]; then
    KESTRAMI_INSIDE_X=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
  fi
}
