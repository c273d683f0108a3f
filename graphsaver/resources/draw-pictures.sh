#!/usr/bin/env bash
# Draws the graph saver's three bitmaps as 24-bit BMP files: the two surfaces rendered by our
# own renderer (twk render over Pictures.twktext) and the recording banner.  Run from
# anywhere after `make native` when a picture changes; the outputs are committed so that the
# Windows build needs neither the native tools nor ImageMagick.
#   Preview.bmp    252 x 173, the control panel's preview (the surface's middle, on black)
#   Title.bmp      173 x 133, the configuration dialog's title picture
#   Recording.bmp  210 x 50, "Recording..." in white on a blue patterned ground
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
twk=${TWK:-$here/../../build/native/bin/twk}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
font=DejaVu-Sans-Bold

"$twk" build "$here/Pictures.twktext" -o "$work/pictures.twk"
"$twk" render "$work/pictures.twk" --graph 1 --frame 1 --size 252x173 -o "$work/preview.png"
convert "$work/preview.png" -type TrueColor "BMP3:$here/Preview.bmp"

# The panel shows rows 8 to 124 of the picture and its link label covers rows 14 to 27 from
# column 70 on: the name goes below the label on the left, the torus at the lower right.
"$twk" render "$work/pictures.twk" --graph 2 --frame 1 --size 124x92 -o "$work/torus.png"
convert -size 173x133 'xc:#e0e8f4' "$work/torus.png" -geometry +47+32 -composite \
  -font "$font" -pointsize 15 -fill '#1c3c8c' -annotate +8+46 'Plot' -annotate +8+64 'vane' \
  -type TrueColor "BMP3:$here/Title.bmp"

# Diagonal stripes in two blues, a lighter edge, the word in white with a dark shadow.
convert -size 210x50 pattern:left30 -fill '#1c3c8c' -opaque black -fill '#2c54b4' -opaque white \
  -fill none -stroke '#6c8ce0' -draw 'rectangle 0,0 209,49' -stroke none \
  -font "$font" -pointsize 24 -fill '#0c1c48' -annotate +19+35 'Recording...' \
  -fill white -annotate +17+33 'Recording...' -type TrueColor "BMP3:$here/Recording.bmp"
