#!/usr/bin/env bash
# Draws the applet's camera icons and writes applet.ico (icon 128) and
# tray.ico (icon 147) beside this script. Needs ImageMagick 6 ("convert").
# The .ico files are kept in the tree, so the build never runs this script.
#
# Each image is drawn on a large canvas in grid units (a 16-unit grid for the
# small sizes, a 32-unit grid for the large ones) and reduced with an area
# filter, which keeps edges that lie on the grid sharp.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

canvas=512

body='#37474F'     # charcoal body
edge='#263238'     # outline and lens barrel
ring='#CFD8DC'     # lens ring
glass='#1E88E5'    # lens glass
shine='#FFFFFF'    # highlight and flash window
button='#F4511E'   # shutter release

# glyph GRID SIZE OUT: draws the camera on a GRID x GRID layout and writes a
# SIZE x SIZE 32-bit PNG with alpha to OUT.
glyph() {
  local grid=$1 size=$2 out=$3
  local u=$((canvas / grid))
  # s X: grid units to canvas pixels
  s() { awk -v v="$1" -v u="$u" 'BEGIN { printf "%d", v * u }'; }
  local d
  if [ "$grid" -eq 16 ]; then
    # body, hump, shutter, flash, lens (centre, radii)
    d=(0 4 16 15 1   5 2 11 5   1 2 4 4   12 5 14 6   8 9.5 4.5 3.2 1.9   6.6 8.1 0.9)
  else
    d=(1 9 31 28 3   10 5 22 10   4 6 8 9   24 11 28 13   16 18.5 8 6 3.8   13.6 16 1.6)
  fi
  local bx0=${d[0]} by0=${d[1]} bx1=${d[2]} by1=${d[3]} br=${d[4]}
  local hx0=${d[5]} hy0=${d[6]} hx1=${d[7]} hy1=${d[8]}
  local sx0=${d[9]} sy0=${d[10]} sx1=${d[11]} sy1=${d[12]}
  local fx0=${d[13]} fy0=${d[14]} fx1=${d[15]} fy1=${d[16]}
  local cx=${d[17]} cy=${d[18]} r0=${d[19]} r1=${d[20]} r2=${d[21]}
  local hx=${d[22]} hy=${d[23]} hr=${d[24]}
  convert -size ${canvas}x${canvas} xc:none \
    -fill "$button" -draw "rectangle $(s $sx0),$(s $sy0) $(( $(s $sx1) - 1 )),$(( $(s $sy1) + u ))" \
    -fill "$edge" -draw "roundrectangle $(s $hx0),$(s $hy0) $(( $(s $hx1) - 1 )),$(( $(s $hy1) + u )) $u,$u" \
    -fill "$body" -stroke "$edge" -strokewidth $((u / 2 > 8 ? u / 2 : 8)) \
      -draw "roundrectangle $(s $bx0),$(s $by0) $(( $(s $bx1) - 1 )),$(( $(s $by1) - 1 )) $(s $br),$(s $br)" \
    -stroke none \
    -fill "$shine" -draw "rectangle $(s $fx0),$(s $fy0) $(( $(s $fx1) - 1 )),$(( $(s $fy1) - 1 ))" \
    -fill "$ring" -draw "circle $(s $cx),$(s $cy) $(s $cx),$(s $(awk -v a="$cy" -v b="$r0" 'BEGIN{print a-b}'))" \
    -fill "$edge" -draw "circle $(s $cx),$(s $cy) $(s $cx),$(s $(awk -v a="$cy" -v b="$r1" 'BEGIN{print a-b}'))" \
    -fill "$glass" -draw "circle $(s $cx),$(s $cy) $(s $cx),$(s $(awk -v a="$cy" -v b="$r2" 'BEGIN{print a-b}'))" \
    -fill "$shine" -draw "circle $(s $hx),$(s $hy) $(s $hx),$(s $(awk -v a="$hy" -v b="$hr" 'BEGIN{print a-b}'))" \
    -filter Box -resize ${size}x${size} \
    PNG32:"$out"
}

glyph 16 16 "$work/16.png"
glyph 16 20 "$work/20.png"
glyph 16 24 "$work/24.png"
glyph 32 32 "$work/32.png"
glyph 32 48 "$work/48.png"

convert "$work/16.png" "$work/32.png" "$work/48.png" "$here/applet.ico"
convert "$work/16.png" "$work/20.png" "$work/24.png" "$work/32.png" "$here/tray.ico"

# Large previews for checking the drawing by eye (not kept in the tree).
if [ -n "${ICON_PREVIEW_DIR:-}" ]; then
  mkdir -p "$ICON_PREVIEW_DIR"
  for n in 16 20 24 32 48; do
    convert "$work/$n.png" -background '#E0E0E0' -flatten -filter Point -resize 800% "$ICON_PREVIEW_DIR/icon-$n.png"
  done
fi
echo "make-icons: wrote $here/applet.ico and $here/tray.ico"
