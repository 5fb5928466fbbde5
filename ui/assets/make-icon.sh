#!/usr/bin/env bash
# Draws the Kestrami window icon: a close-up of calculator keys set on the
# diagonal (white key tops, black digits, one multiplication key, grey sides
# with a darker band along the lower/right edge, black gaps between keys).
#
# Each size is drawn large in an upright grid, turned and cropped to the
# middle, so the keys are cut off by the edges like a close-up, then reduced
# and quantised to a 16-colour palette. The 32 px icon shows four keys with
# digits and a multiplication sign; the 16 px icon shows one whole key with
# a multiplication sign set pixel by pixel, plus the corners of its
# neighbours, so that it still reads as keys at that size.
#
# The desktop's application icon comes from the same design, drawn as a
# scalable picture: the four keys of the 32 px icon, whole this time, on a
# black plate (the gaps) turned by the same angle, with nothing around the
# plate. The digits are drawn as strokes, not as text, so the picture needs
# no font wherever it is shown. The larger PNG sizes are rendered from it;
# at 16 and 32 px the desktop gets the window icon itself.
#
# Output, written beside this script:
#   kestrami-32.png  32 x 32, <= 16 colours
#   kestrami-16.png  16 x 16, <= 16 colours
#   kestrami.ico     both sizes in one Windows icon file
#   kestrami.svg     the scalable application icon, 256 x 256 user units
#   kestrami-48.png, kestrami-64.png, kestrami-128.png, kestrami-256.png
#                    that icon rendered at those sizes, transparent around
#                    the plate
#
# Needs ImageMagick 6 (convert), the DejaVu Sans Bold font file and
# rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
if [[ ! -r "$font" ]]; then
    echo "make-icon.sh: font $font not found (Debian package fonts-dejavu-core)" >&2
    exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Colours of the key parts.
gap='#000000'
side='#b8b8b8'      # visible key side, upper/left
shade='#6c6c6c'     # darker key side along the lower/right edge
top='#ffffff'
ink='#000000'

# draw_keys KEYS MARKS SIZE PITCH ANGLE CORNER FONTSIZE LABELS...
#   KEYS      image to write with the keys alone (turned and cropped)
#   MARKS     image to write with the key labels alone, black on white, in
#             the same place as on KEYS; "-" to skip it
#   SIZE      edge of the square pictures in pixels
#   PITCH     distance between neighbouring keys, in pixels
#   ANGLE     rotation in degrees (positive turns clockwise)
#   CORNER    0: the middle key sits in the middle of the picture;
#             1: the corner where four keys meet does, so four keys share
#                the picture (the key of the middle entry is up-left of it)
#   FONTSIZE  point size of the digits
#   LABELS    one entry per key, row by row over a 5 x 5 grid centred on the
#             picture: a digit, "x" for the multiplication sign or "." for a
#             blank key
draw_keys() {
    local keys_out=$1 marks_out=$2 size=$3 pitch=$4 angle=$5 corner=$6 fontsize=$7
    shift 7
    local labels=("$@")
    # Canvas big enough that the turned grid still covers the final square.
    local canvas=$((size * 2))
    local mid=$((canvas / 2))
    local shift=$((corner * pitch / 2))
    local gapw=$((pitch * 14 / 100))          # black gap between keys
    local body=$((pitch - gapw))              # key outline incl. sides
    local band=$((pitch * 16 / 100))          # dark lower/right side
    local rim=$((pitch * 8 / 100))            # light upper/left side
    local radius=$((pitch * 6 / 100))
    local -a draw=() marks=()
    local row col i=0 x0 y0 x1 y1 cx cy tx ty m arm w
    for row in -2 -1 0 1 2; do
        for col in -2 -1 0 1 2; do
            m=${labels[$i]}
            i=$((i + 1))
            # Key cell centred on (cx, cy).
            cx=$((mid + col * pitch - shift))
            cy=$((mid + row * pitch - shift))
            x0=$((cx - body / 2)); y0=$((cy - body / 2))
            x1=$((x0 + body));     y1=$((y0 + body))
            # Whole key in the dark side colour, then the lighter side and the
            # top shifted up/left so the dark band stays on the lower/right.
            draw+=(-fill "$shade" -draw "roundrectangle $x0,$y0 $x1,$y1 $radius,$radius")
            draw+=(-fill "$side" -draw "roundrectangle $x0,$y0 $((x1 - band)),$((y1 - band)) $radius,$radius")
            draw+=(-fill "$top" -draw "roundrectangle $((x0 + rim)),$((y0 + rim)) $((x1 - band)),$((y1 - band)) $radius,$radius")
            # Label centred on the white top.
            tx=$(((x0 + rim + x1 - band) / 2)); ty=$(((y0 + rim + y1 - band) / 2))
            case $m in
                .) ;;
                x)
                    arm=$((pitch * 18 / 100)); w=$((pitch * 11 / 100))
                    marks+=(-stroke "$ink" -strokewidth "$w"
                        -draw "line $((tx - arm)),$((ty - arm)) $((tx + arm)),$((ty + arm))"
                        -draw "line $((tx - arm)),$((ty + arm)) $((tx + arm)),$((ty - arm))"
                        +stroke)
                    ;;
                *)
                    # With gravity centre the offsets count from the middle of
                    # the canvas.
                    marks+=(-annotate "$(printf '%+d%+d' $((tx - mid)) $((ty - mid)))" "$m")
                    ;;
            esac
        done
    done
    convert -size "${canvas}x${canvas}" "xc:$gap" +antialias "${draw[@]}" \
        -virtual-pixel black -filter point -interpolate nearest -distort SRT "$angle" \
        -gravity center -crop "${size}x${size}+0+0" +repage "$keys_out"
    [[ $marks_out == - ]] && return
    convert -size "${canvas}x${canvas}" xc:white \
        -font "$font" -pointsize "$fontsize" -fill "$ink" -gravity center "${marks[@]}" \
        -virtual-pixel white -distort SRT "$angle" \
        -gravity center -crop "${size}x${size}+0+0" +repage "$marks_out"
}

# reduce KEYS MARKS SIZE OUT
# The keys are point-sampled so their edges stay hard (at the chosen angle of
# atan(1/2) they become even two-to-one stairs); the labels are averaged so
# the digits keep their shape, averaging in sRGB to keep thin strokes dark.
# The two are multiplied together and quantised to a 16-colour palette.
reduce() {
    local keys_in=$1 marks_in=$2 size=$3 out=$4
    convert \( "$keys_in" -sample "${size}x${size}" \) \( "$marks_in" -scale "${size}x${size}" \) \
        -compose Multiply -composite \
        -alpha off -type TrueColor +dither -colors 16 \
        -define png:exclude-chunk=date,time -strip "PNG8:$out"
}

# Turning by atan(1/2), about 26.6 degrees anticlockwise, makes key edges
# run in clean two-to-one pixel stairs.
angle=-26.565

# 32 px: four keys meet in the middle, cut off by the edges: 7, 8, 4 and the
# multiplication key. Drawn eight times as large and reduced.
draw_keys "$work/keys32.png" "$work/marks32.png" 256 107 "$angle" 1 78 \
    . . . . . \
    . 4 5 6 . \
    . 1 7 8 . \
    . 0 4 x . \
    . . . . .
reduce "$work/keys32.png" "$work/marks32.png" 32 "$here/kestrami-32.png"

# 16 px: one whole key and the corners of its neighbours. A turned
# multiplication sign this small smears into a blob, so the sign is set
# pixel by pixel on the key top instead, straight across the pixel grid.
draw_keys "$work/keys16.png" - 256 179 "$angle" 0 1 \
    . . . . . \
    . . . . . \
    . . . . . \
    . . . . . \
    . . . . .
convert -size 16x16 xc:white +antialias -fill "$ink" \
    -draw "point 5,5 point 6,6 point 7,7 point 8,8 point 9,9" \
    -draw "point 9,5 point 8,6 point 6,8 point 5,9" \
    "$work/marks16.png"
reduce "$work/keys16.png" "$work/marks16.png" 16 "$here/kestrami-16.png"

convert "$here/kestrami-16.png" "$here/kestrami-32.png" "$here/kestrami.ico"

# draw_scalable OUT
# The application icon as SVG, in the units of a 256 px picture. Each key is
# built as in draw_keys (dark side, lighter side, white top shifted up/left),
# at the proportions of the 32 px icon: gap 14 %, dark band 16 %, light rim
# 8 % of the pitch. Only plain shapes, <use> and strokes, so that every icon
# renderer draws it alike.
draw_scalable() {
    local out=$1
    local pitch=88 gapw=12 band=14 rim=7 radius=5 mid=128
    local body=$((pitch - gapw))
    local plate=$((2 * body + 3 * gapw))   # the gap colour also frames the keys
    local labels=(7 8 4 x) i=0 row col cx cy x0 y0 tx ty width
    {
        printf '<?xml version="1.0" encoding="UTF-8"?>\n'
        printf '<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink"'
        printf ' width="256" height="256" viewBox="0 0 256 256">\n'
        # The labels, centred on (0, 0), about 44 units high.
        printf '  <defs>\n'
        printf '    <path id="d7" d="M -12,-18 H 12 L -3,22"/>\n'
        printf '    <path id="d4" d="M 7,22 V -21 L -14,9 H 15"/>\n'
        printf '    <path id="d8" d="M 0,-1.5 A 8.5,8.5 0 1 1 0,-18.5 A 8.5,8.5 0 1 1 0,-1.5 Z'
        printf ' M 0,-1.5 A 10.5,10 0 1 0 0,18.5 A 10.5,10 0 1 0 0,-1.5 Z"/>\n'
        printf '    <path id="dx" d="M -14,-14 L 14,14 M -14,14 L 14,-14"/>\n'
        printf '  </defs>\n'
        printf '  <g transform="rotate(%s %d %d)">\n' "$angle" "$mid" "$mid"
        printf '    <rect x="%d" y="%d" width="%d" height="%d" rx="14" fill="%s"/>\n' \
            $((mid - plate / 2)) $((mid - plate / 2)) "$plate" "$plate" "$gap"
        for row in -1 1; do
            for col in -1 1; do
                cx=$((mid + col * pitch / 2))
                cy=$((mid + row * pitch / 2))
                x0=$((cx - body / 2)); y0=$((cy - body / 2))
                printf '    <rect x="%d" y="%d" width="%d" height="%d" rx="%d" fill="%s"/>\n' \
                    "$x0" "$y0" "$body" "$body" "$radius" "$shade"
                printf '    <rect x="%d" y="%d" width="%d" height="%d" rx="%d" fill="%s"/>\n' \
                    "$x0" "$y0" $((body - band)) $((body - band)) "$radius" "$side"
                printf '    <rect x="%d" y="%d" width="%d" height="%d" rx="%d" fill="%s"/>\n' \
                    $((x0 + rim)) $((y0 + rim)) $((body - band - rim)) $((body - band - rim)) "$radius" "$top"
                tx=$((x0 + (rim + body - band) / 2)); ty=$((y0 + (rim + body - band) / 2))
                width=8
                [[ ${labels[$i]} == x ]] && width=10
                printf '    <use xlink:href="#d%s" x="%d" y="%d" fill="none" stroke="%s" stroke-width="%d"/>\n' \
                    "${labels[$i]}" "$tx" "$ty" "$ink" "$width"
                i=$((i + 1))
            done
        done
        printf '  </g>\n'
        printf '</svg>\n'
    } >"$out"
}

draw_scalable "$here/kestrami.svg"
for size in 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" -o "$work/app-$size.png" "$here/kestrami.svg"
    convert "$work/app-$size.png" -define png:exclude-chunk=date,time -strip "PNG32:$here/kestrami-$size.png"
    # Transparent around the plate: the corners are empty.
    alpha=$(convert "$here/kestrami-$size.png" -format '%[fx:p{0,0}.a + p{w-1,0}.a + p{0,h-1}.a + p{w-1,h-1}.a]' info:)
    if [[ $alpha != 0 ]]; then
        echo "make-icon.sh: kestrami-$size.png is not transparent in its corners" >&2
        exit 1
    fi
done

for f in kestrami-32.png kestrami-16.png; do
    colours=$(identify -format '%k' "$here/$f")
    if ((colours > 16)); then
        echo "make-icon.sh: $f has $colours colours, expected at most 16" >&2
        exit 1
    fi
done
echo "wrote $here/kestrami-32.png, $here/kestrami-16.png, $here/kestrami.ico, $here/kestrami.svg" \
    "and $here/kestrami-{48,64,128,256}.png"
