#!/usr/bin/env bash
# The slideshow preview under Wine: two pictures alternating at interval 1, the first shown
# first, the logo at the bottom, the cursor hidden; the first mouse movement only recorded,
# the next one closing; a key closing; the cursor back afterwards; a picture that cannot be
# loaded reported above the top-most preview.  Screenshots go to the folder given.
# Usage: slidemaker-preview.sh slidemaker.exe slidemaker_probe.exe SHOTS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/slidemaker-session.sh"
shots=$3
mkdir -p "$shots"

# Two projects made on disk before the start: a red JPEG and a GIF whose first frame is blue
# (the preview shows no other frame), and one whose second picture is missing.
work_setup() {
  mkdir -p "$app/projects/Show" "$app/projects/Guasto"
  convert -size 200x120 xc:'#e00000' -quality 95 "$pics/red.jpg"
  convert -delay 20 -size 160x100 xc:blue xc:yellow -loop 0 "$pics/blue.gif"
  printf '1\r\n%s\r\n%s\r\n' "$(winpath "$pics/red.jpg")" "$(winpath "$pics/blue.gif")" >"$app/projects/Show/list.dat"
  printf '1\r\n%s\r\nC:\\manca.bmp\r\n' "$(winpath "$pics/red.jpg")" >"$app/projects/Guasto/list.dat"
}
# `editor_start` makes the folders; the projects go in before the first Open.
editor_start "$1" "$2"
work_setup
# Back in the middle of the screen, under the place of the pictures: with no window manager
# the keys go to the window under the pointer, and one test presses Enter with the pointer
# resting where the pictures will appear.
wine_wait_until "$wine_wait_seconds" "the main window to move" _main_window_at 347 222 ||
  fail "cannot move the main window"

# open_project DOWNS PICTURES...: the Open dialog's entry after DOWNS presses of Down, which
# lists PICTURES.
open_project() {
  menu 1 2
  wine_wait_window "Apri progetto" >/dev/null || fail "no Open dialog"
  local i
  for ((i = 0; i < $1; i++)); do key Down; done
  key Return
  wine_wait_gone "Apri progetto" || fail "Enter left the Open dialog open"
  dump "$main_title"
  shows "the project's pictures" "$(printf '%s\n' "${@:2}")" items ListBox
}
preview() {
  dump "$main_title"
  click Button Anteprima
  wine_wait_window "Anteprima" >/dev/null || fail "no preview window"
}
open_now() { probe dump "Anteprima" >/dev/null; }
wait_closed() { wine_wait_until "$wine_wait_seconds" "the preview to close" _window_closed "Anteprima" || fail "$1"; }
is_colour() { [[ $(colour "$1" "$2") == "$3" ]]; }
# colour X Y: R, B, Y (yellow) or K (anything else) at that point of a new screenshot.
colour() {
  wine_screenshot "$work/p.png"
  local r g b
  read -r r g b <<<"$(wine_pixel "$work/p.png" "$1" "$2")"
  if ((r > 180 && g < 70 && b < 70)); then echo R; elif ((b > 180 && r < 70 && g < 70)); then echo B
  elif ((r > 180 && g > 180 && b < 70)); then echo Y; else echo K; fi
}

echo "== two pictures at interval 1"
red=$(winpath "$pics/red.jpg")
open_project 1 "$red" "$(winpath "$pics/blue.gif")"
preview
# Sampled at once and as fast as screenshots go: the first picture lasts one second.
# Centred 40 pixels above the middle, both pictures cover (512, 344).
sequence=""
end=$((${EPOCHREALTIME/./} + wine_wait_seconds * 1000000))
while ((${EPOCHREALTIME/./} < end)); do
  c=$(colour 512 344)
  [[ "${sequence: -1}" == "$c" ]] || sequence+=$c
  [[ $c == R && ! -f "$work/red.png" ]] && cp "$work/p.png" "$work/red.png"
  [[ $c == B && ! -f "$work/blue.png" ]] && cp "$work/p.png" "$work/blue.png"
  [[ "$sequence" == *RBR* ]] && break
done
sequence=${sequence//K/}
[[ "$sequence" == RBR* ]] || fail "the pictures came as $sequence"  # no Y: the GIF stays on frame 1
cp "$work/red.png" "$shots/preview-red.png"
cp "$work/blue.png" "$shots/preview-blue.png"
echo "ok: red first, then blue, then red again"
dump "Anteprima"
[[ $(head -n 1 "$dump" | cut -f 3) == "0 0 1024 768" ]] || fail "the preview covers $(head -n 1 "$dump" | cut -f 3)"
[[ $(head -n 1 "$dump" | cut -f 5) == 1 ]] || fail "the preview is not top-most"
cursor_is() { [[ $(probe cursor) == "$1" ]]; }
expect_cursor() {
  wine_wait_until "$wine_wait_seconds" "the cursor $1" cursor_is "$1" || fail "the cursor is not $1"
  echo "ok: cursor $1"
}
expect_cursor hidden
# The red picture's corner: 200 × 120 placed at (412, 284).
pixel_is() {
  local r g b
  read -r r g b <<<"$(wine_pixel "$work/red.png" "$1" "$2")"
  ((r > 180 && g < 70 && b < 70))
}
pixel_is 413 285 && ! pixel_is 411 285 && ! pixel_is 413 283 || fail "the red picture is not at (412, 284)"
echo "ok: placed with the 40-pixel raise"
# The logo's name near the bottom edge: lit pixels in the band of its letters.
lit=$(convert "$work/red.png" -crop 258x44+383+693 +repage -threshold 20% -format '%[fx:mean*w*h]' info:)
((${lit%.*} > 500)) || fail "no logo at the bottom ($lit lit pixels)"
echo "ok: the logo"

echo "== a key closes it"
key space
wait_closed "a key left the preview open"
expect_cursor showing

echo "== the mouse: the first movement recorded, the next one closes"
# The pointer rests where the pictures appear and Enter presses Anteprima (focused since the
# click): whatever movement the system reports as the window appears goes to the picture,
# so the first one over the window's background is ours.
xdotool mousemove 512 344
key Return
wine_wait_window "Anteprima" >/dev/null || fail "Enter did not start the preview"
probe handled "Anteprima" 512 344 || fail "the preview does not settle"
xdotool mousemove 100 100
probe handled "Anteprima" 100 100 || fail "the first mouse movement closed the preview"
open_now || fail "the first mouse movement closed the preview"
xdotool mousemove 130 110
wait_closed "the second mouse movement left the preview open"
expect_cursor showing
echo "ok: closed by the mouse"

echo "== a picture that cannot be loaded, reported above the preview"
open_project 0 "$red" 'C:\manca.bmp'
preview
wine_wait_until "$wine_wait_seconds" "the red picture" is_colour 512 344 R || fail "the first picture is not shown"
text=$(message "$app_title")
[[ "$text" == "Cannot open file C:\\manca.bmp" ]] || fail "the report reads '$text'"
[[ $(head -n 1 "$dump" | cut -f 5) == 1 ]] || fail "the report is not top-most"
expect_cursor showing
# Lying wholly inside the preview, the box would not be painted on this bare X server
# (see slidemaker-session.sh): moved to overhang the screen's edge, it shows on top.
probe move "$app_title" 860 300
report_shows() {
  wine_screenshot "$shots/preview-error.png"
  [[ $(wine_pixel "$shots/preview-error.png" 900 350) != "0 0 0" ]]
}
wine_wait_until "$wine_wait_seconds" "the report over the preview" report_shows ||
  fail "the report does not show above the preview"
key Return
wine_wait_until "$wine_wait_seconds" "the report to close" _window_closed "$app_title" ||
  fail "Enter did not close the report"
open_now || fail "the report closed the preview"
expect_cursor hidden
wine_wait_until "$wine_wait_seconds" "the red picture again" is_colour 512 344 R ||
  fail "the slideshow went on past the failed picture"
key space
wait_closed "a key left the preview open after the report"
expect_cursor showing
dump "$main_title"
click Button Uscita
echo "the preview behaved; screenshots in $shots"
