#!/usr/bin/env bash
# The slideshow saver on two monitors: an 800 x 600 one left of the 1024 x 768 primary.  Each
# shows its own picture, centred in it, black at the bezel and in the strip below the left
# one that no monitor shows; the list is dealt left to right (entries 1 and 2, then 3 and 4)
# and both change together.  Skipped (status 77) where the dummy X server cannot start.
# Usage: slideshow-monitors.sh resource.sk pak.exe SHOTS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"
source "$here/../support/two-monitors.sh"

template=$1 pak=$2 shots=$3
mkdir -p "$shots"
two_monitors_start
wine_test_session
trap 'wine_session_stop; two_monitors_stop; rm -rf "$work"' EXIT
cd "$work"

for colour in red lime blue yellow; do convert -size 400x300 "xc:$colour" "BMP3:$colour.bmp"; done
printf '5\r\nC:\\Foto\\red.bmp\r\nC:\\Foto\\lime.bmp\r\nC:\\Foto\\blue.bmp\r\nC:\\Foto\\yellow.bmp\r\n' >list.dat
wine "$pak" create Monitor.pak list.dat red.bmp lime.bmp blue.bmp yellow.bmp >/dev/null || fail "pak create"
cp "$template" Monitor.scr

wine Monitor.scr /s &
program=$!
window=$(wine_wait_window "Presentazione") || fail "no full-screen window"
eval "$(xdotool getwindowgeometry --shell "$window")"
[[ "$X $Y $WIDTH $HEIGHT" == "0 0 1824 768" ]] || fail "the full screen is at $X $Y ${WIDTH}x$HEIGHT"

# pair LEFT PRIMARY SHOT: waits for a screen where the left monitor shows LEFT and the
# primary PRIMARY, then checks on that screen that each is 400 x 300 in its middle,
# (200..599, 150..449) and (1112..1511, 234..533), with black around.
both_show() {
  wine_screenshot "$3"
  [[ $(wine_pixel "$3" 400 300) == "$1" && $(wine_pixel "$3" 1312 384) == "$2" ]]
}
pair() {
  local left=$1 primary=$2 shot=$3
  wine_wait_until 60 "$left on the left, $primary on the primary" both_show "$left" "$primary" "$shot" ||
    fail "not $left and $primary: the left shows $(wine_pixel "$shot" 400 300), the primary $(wine_pixel "$shot" 1312 384)"
  for probe in "200 150 $left" "599 449 $left" "1112 234 $primary" "1511 533 $primary" \
               "199 300 0 0 0" "600 300 0 0 0" "799 300 0 0 0" "800 384 0 0 0" "1111 384 0 0 0" \
               "400 700 0 0 0" "1312 233 0 0 0" "1312 534 0 0 0"; do
    read -r x y r g b <<<"$probe"
    [[ $(wine_pixel "$shot" "$x" "$y") == "$r $g $b" ]] ||
      fail "($x, $y) of $shot is $(wine_pixel "$shot" "$x" "$y"), not $r $g $b"
  done
}
pair "255 0 0" "0 255 0" "$shots/slideshow-monitors-1.png"
pair "0 0 255" "255 255 0" "$shots/slideshow-monitors-2.png"
pair "255 0 0" "0 255 0" "$shots/slideshow-monitors-3.png"
xdotool key --window "$window" space
wine_wait_exit "$program" || fail "a key did not end the saver"
wait "$program" || true
echo "two monitors: a picture on each, dealt in order"
