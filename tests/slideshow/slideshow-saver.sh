#!/usr/bin/env bash
# resource.sk as the editor's build leaves it: renamed Vacanze.scr beside Vacanze.pak, which
# pak makes here from pictures made here (an EXIF-turned JPEG larger than the screen, a
# two-frame GIF, a bitmap).  /s shows them in turn, fitted and centred, and a key ends it;
# a damaged member is skipped, other failures show their words; /p lives in the host's
# window; /c shows name, interval, count.
# Usage: slideshow-saver.sh resource.sk pak.exe window_texts.exe preview_host.exe SHOTS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

template=$1 pak=$2 texts=$3 host=$4 shots=$5
mkdir -p "$shots"
wine_test_session
cd "$work"

# Stored 1200 × 400, red above blue, EXIF orientation 6 (turn a quarter clockwise): upright
# 400 × 1200, blue left and red right, fitted into 1024 × 768 as 256 × 768 from x = 384.
convert -size 1200x200 xc:red xc:blue -append -quality 95 plain.jpg
# APP1 right after SOI: "Exif\0\0", a little-endian TIFF header, one directory entry
# (tag 0x0112, SHORT, count 1, value 6), no next directory; 34 bytes with its length field.
{
  head -c 2 plain.jpg
  printf '\xff\xe1\x00\x22Exif\x00\x00II*\x00\x08\x00\x00\x00\x01\x00'
  printf '\x12\x01\x03\x00\x01\x00\x00\x00\x06\x00\x00\x00\x00\x00\x00\x00'
  tail -c +3 plain.jpg
} >turned.jpg
convert -size 200x100 xc:lime xc:yellow -set delay 20 -loop 0 anim.gif
convert -size 300x200 xc:magenta BMP3:still.bmp
printf '2\r\nC:\\Foto\\turned.jpg\r\nC:\\Foto\\anim.gif\r\nC:\\Foto\\still.bmp\r\n' >list.dat
wine "$pak" create Vacanze.pak list.dat turned.jpg anim.gif still.bmp >/dev/null || fail "pak create"
cp "$template" Vacanze.scr

pixel_at() { wine_pixel "$1" "$2" "$3"; }
# Waits up to $2 seconds (a bound only a fault reaches) for the screen's pixel at ($3, $4) to have one of the colours that
# follow; saves the shot and echoes the colour found.
wait_colour() {
  local shot=$1 limit=$2 x=$3 y=$4
  shift 4
  if wine_wait_until "$limit" "($x, $y) to be one of $*" _colour_among "$shot" "$x" "$y" "$@"; then
    echo "$found_colour"
  else
    fail "($x, $y) of $shot is $(pixel_at "$shot" "$x" "$y"), not $* within ${limit}s"
  fi
}
_colour_among() {
  local shot=$1 x=$2 y=$3 want
  shift 3
  wine_screenshot "$shot"
  for want in "$@"; do
    near "$(pixel_at "$shot" "$x" "$y")" "$want" && { found_colour=$want; return 0; }
  done
  return 1
}
near() {  # colour $1 within 40 of every channel of $2 (JPEG colours drift a little)
  local a b
  read -r -a a <<<"$1"; read -r -a b <<<"$2"
  for i in 0 1 2; do (( ${a[i]} - ${b[i]} < 40 && ${b[i]} - ${a[i]} < 40 )) || return 1; done
}
key_ends() {  # window, process
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1" || true
  xdotool key --window "$1" space
  wine_wait_exit "$2" || { kill "$2"; fail "a key did not end the saver"; }
  wait "$2" || true
}

echo "== /s: the turned JPEG upright and fitted, then the GIF animating, then the bitmap"
wine Vacanze.scr /s &
program=$!
window=$(wine_wait_window "Presentazione") || fail "no full-screen window"
started=$(date +%s.%N)
wait_colour "$shots/slideshow-1-jpeg.png" "$wine_wait_seconds" 448 384 "0 0 255" >/dev/null
shot="$shots/slideshow-1-jpeg.png"
for probe in "448 384 0 0 255" "576 384 255 0 0" "448 5 0 0 255" "576 760 255 0 0"; do
  read -r x y r g b <<<"$probe"
  near "$(pixel_at "$shot" "$x" "$y")" "$r $g $b" || fail "($x, $y) is $(pixel_at "$shot" "$x" "$y"), not $r $g $b"
done
for x in 380 644; do  # black beside the fitted picture
  [[ $(pixel_at "$shot" "$x" 384) == "0 0 0" ]] || fail "($x, 384) is not black beside the picture"
done

# Either frame of the GIF: it animates meanwhile (checked alone below).
gif=$(wait_colour "$shots/slideshow-2-gif.png" "$wine_wait_seconds" 512 384 "0 255 0" "255 255 0")
elapsed=$(echo "$(date +%s.%N) - $started" | bc)
(( $(echo "$elapsed > 1.0" | bc) )) || fail "the second picture came after ${elapsed}s, not the interval"
[[ $(pixel_at "$shots/slideshow-2-gif.png" 408 384) == "0 0 0" ]] || fail "the GIF is not 200 wide, centred"
near "$(pixel_at "$shots/slideshow-2-gif.png" 416 384)" "$gif" || fail "the GIF is not 200 wide, centred"
wait_colour "$shots/slideshow-3-bmp.png" "$wine_wait_seconds" 512 384 "255 0 255" >/dev/null
[[ $(pixel_at "$shots/slideshow-3-bmp.png" 360 384) == "0 0 0" ]] || fail "the bitmap is not centred"
[[ $(pixel_at "$shots/slideshow-3-bmp.png" 363 285) == "255 0 255" ]] || fail "the bitmap is not centred"
key_ends "$window" "$program"

echo "== /p: inside the host's preview area"
wine "$host" "$(winepath -w Vacanze.scr)" || fail "preview host checks"

echo "== a GIF alone: both frames in turn, the list never moving on"
cp Vacanze.pak slides.pak
printf '2\r\nC:\\Foto\\anim.gif\r\n' >list.dat
rm Vacanze.pak
wine "$pak" create Vacanze.pak list.dat anim.gif >/dev/null || fail "pak create"
wine Vacanze.scr /s &
program=$!
window=$(wine_wait_window "Presentazione") || fail "no full-screen window"
wait_colour "$shots/slideshow-gif-frame1.png" "$wine_wait_seconds" 512 384 "0 255 0" >/dev/null
wait_colour "$shots/slideshow-gif-frame2.png" "$wine_wait_seconds" 512 384 "255 255 0" >/dev/null
wait_colour "$shots/slideshow-gif-frame1.png" "$wine_wait_seconds" 512 384 "0 255 0" >/dev/null
key_ends "$window" "$program"
mv slides.pak Vacanze.pak

echo "== /c: archive name, interval and picture count"
wine Vacanze.scr /c &
program=$!
dialog=$(wine_wait_window "Presentazione - Impostazioni") || fail "no settings dialog"
found=$(wine "$texts" "Presentazione - Impostazioni" | tr -d '\r')
for want in "Vacanze.pak" "2 secondi" "3" "OK" "Annulla"; do
  grep -qxF "$want" <<<"$found" || fail "the dialog does not show '$want': $found"
done
wine_screenshot "$shots/slideshow-config.png"
xdotool key --window "$dialog" Escape
wine_wait_exit "$program" || fail "Escape did not close the dialog"
wait "$program" || true

echo "== a damaged member is skipped; failures in words on the black screen, ended by a key"
flip_byte() {  # file offset: changes one bit of the byte there
  local byte
  byte=$(od -An -tu1 -j "$2" -N1 "$1")
  printf "$(printf '\\x%02x' $((byte ^ 1)))" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
cp Vacanze.pak good.pak
flip_byte Vacanze.pak 100  # inside turned.jpg, the member after list.dat (both deflate to little)
wine Vacanze.scr /s &
program=$!
window=$(wine_wait_window "Presentazione") || fail "no full-screen window (damaged member)"
wait_colour "$shots/slideshow-damaged-member.png" 10 512 384 "0 255 0" "255 255 0" >/dev/null
[[ $(pixel_at "$shots/slideshow-damaged-member.png" 448 384) != "0 0 255" ]] || fail "the damaged JPEG showed"
key_ends "$window" "$program"

words_in_middle() {
  wine_screenshot "$1"
  [[ $(convert "$1" -crop 600x40+212+364 -format '%[fx:maxima.r]' info:) == 1 ]]
}
shows_words() {  # shot name
  wine Vacanze.scr /s &
  program=$!
  window=$(wine_wait_window "Presentazione") || fail "no full-screen window ($1)"
  wine_wait_until "$wine_wait_seconds" "white words in $1" words_in_middle "$shots/$1" || fail "no white words in the middle of $1"
  wine_wait_screen_settled || fail "the words keep changing"
  wine_screenshot "$shots/$1"
  [[ $(pixel_at "$shots/$1" 512 100) == "0 0 0" ]] || fail "$1 is not black"
  key_ends "$window" "$program"
}
cp good.pak Vacanze.pak
flip_byte Vacanze.pak $(( $(stat -c %s good.pak) - 36 - 20 ))  # inside the directory's stream
shows_words slideshow-damaged.png
rm Vacanze.pak
shows_words slideshow-missing.png
echo "the slideshow saver behaved"
