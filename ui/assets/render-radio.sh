#!/usr/bin/env bash
# Renders radio.pov into radio.png, the 124 x 104 picture in the About window.
#
# POV-Ray renders the scene four times as large (496 x 416) with
# anti-aliasing; ImageMagick then reduces it with a Lanczos filter in linear
# light, sharpens it lightly and writes an sRGB PNG without time stamps. PNG,
# not JPEG: every build of Qt reads it without an image format plugin, and the
# Windows build carries none.
# The picture is written beside this script; it runs from any directory.
#
# Needs povray (3.7) and ImageMagick 6 (convert, identify).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

width=124
height=104
scale=4

# POV-Ray resolves include and output paths against the current directory.
cd "$work"
# +FN: PNG output; -D: no preview window; +Q9: full quality;
# +A0.1 +AM2 +R3: adaptive anti-aliasing. Its chatter goes to a log that is
# shown only when the render fails.
povray \
    "+I$here/radio.pov" "+O$work/radio.png" \
    "+W$((width * scale))" "+H$((height * scale))" \
    +FN -D +Q9 +A0.1 +AM2 +R3 \
    >"$work/povray.log" 2>&1 || {
    cat "$work/povray.log" >&2
    echo "render-radio.sh: povray failed" >&2
    exit 1
}

convert "$work/radio.png" \
    -colorspace RGB -filter Lanczos -resize "${width}x${height}!" -colorspace sRGB \
    -unsharp 0x0.6+0.5+0 \
    -strip -define png:compression-level=9 -define png:exclude-chunks=date,time \
    "PNG24:$here/radio.png"

# The About window lays the picture out at exactly this size.
got=$(identify -format '%m %wx%h %[colorspace]' "$here/radio.png")
if [[ "$got" != "PNG ${width}x${height} sRGB" ]]; then
    echo "render-radio.sh: radio.png is '$got', expected 'PNG ${width}x${height} sRGB'" >&2
    exit 1
fi
echo "wrote $here/radio.png ($got)"
