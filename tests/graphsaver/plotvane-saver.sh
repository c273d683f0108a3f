#!/usr/bin/env bash
# Plotvane.scr as the Display control panel and a user run it, over a graph set this script
# writes: the full screen (recording banner, floating and bouncing, a curve, no floating, an
# image size far beyond the screen, a formula that fails at every frame), each ended by one
# key and each writing the set back; then the settings dialog ended with Enter and with
# Escape.  Screenshots of the runs stay in $PLOTVANE_SCREENSHOTS when it is set.
# Usage: plotvane-saver.sh PlotvaneTraced.scr twk.exe Recording.bmp
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

saver=$1 twk=$2 banner=$3
wine_test_session
cd "$work"
shots=${PLOTVANE_SCREENSHOTS:-$work/shots}
mkdir -p "$shots"

windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
log=plotvane-trace.log

# Graph 0 does not change with t (every frame the same picture, on black); 1 is a curve;
# 2 divides by zero at every sample of every frame; 3 is a wave travelling with t.
cat >set.twktext <<'EOF'
[graph]
Name = Still Ripple
Func3Text = 0.6sin(2u)cos(2v)
UMinText = -3
UMaxText = 3
UDivText = 48
VMinText = -3
VMaxText = 3
VDivText = 48
TMaxText = 2pi
FrameCount = 24
FramesPerSecond = 100
FillColor1 = 0x602000
FillColor2 = 0xFFC040

[graph]
Name = Wave Curve
Kind = curve
Func1Text = u
Func2Text = 2sin(2u+t)
UMinText = -3
UMaxText = 3
UDivText = 60
TMaxText = 2pi

[graph]
Name = Divide
Func3Text = u/(t-t)
TMaxText = 2pi

[graph]
Name = Travelling Ripple
Func3Text = 0.6sin(2u+t)cos(2v)
UMinText = -3
UMaxText = 3
UDivText = 48
VMinText = -3
VMaxText = 3
VDivText = 48
TMaxText = 2pi
FrameCount = 24
FramesPerSecond = 100
FillColor1 = 0x602000
FillColor2 = 0xFFC040
EOF
wine "$twk" build set.twktext -o set.twk >/dev/null || fail "twk build"
cp set.twk original.twk
set_win=$(windows_path "$work/set.twk")

# The saver's seven values in one registry import.
settings() {  # fn IsFloat IsReverse width height
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Quorvel\\Plotvane]\r\n' >settings.reg
  printf '"fn"=dword:%08x\r\n"IsFloat"=dword:%08x\r\n"IsReverse"=dword:%08x\r\n' "$1" "$2" "$3" >>settings.reg
  printf '"IsRandom"=dword:00000000\r\n"ImageWidth"=dword:%08x\r\n"ImageHeight"=dword:%08x\r\n' "$4" "$5" >>settings.reg
  printf '"CurrentFile"="%s"\r\n' "${set_win//\\/\\\\}" >>settings.reg
  wine regedit /S settings.reg || fail "settings import"
}
start_full() {
  rm -f "$log"
  wine "$saver" /s &
  program=$!
  window=$(wine_wait_window "Plotvane") || fail "no full-screen window"
  # Loaded by now: whatever the file holds from here on, the saver writes its set back.
  echo "changed meanwhile" >set.twk
}
# One key ends the saver, at once; the set comes back byte for byte.
end_full() {
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window" || true
  xdotool key --window "$window" space
  wine_wait_exit "$program" || { kill "$program"; fail "one key did not end the saver"; }
  wait "$program" || fail "the saver ended with status $?"
  cmp -s set.twk original.twk || fail "the graph set was not written back as it was"
}
shot() { wine_screenshot "$shots/$1.png"; }
# Pixels of the shot's banner place that differ from the banner bitmap.  compare exits 1
# whenever any pixel differs, which is no failure here: the count says how many.
banner_difference() {
  convert "$shots/$1.png" -crop 210x50+8+8 +repage "$work/crop.png"
  { compare -metric AE "$work/crop.png" "$banner" null: 2>&1 || true; } | cut -d' ' -f1
}
# Bounding box "W H X Y" of everything not black.
drawn_box() {
  convert "$shots/$1.png" -bordercolor black -border 1 -format '%@' info: |
    sed 's/[x+]/ /g' | awk '{print $1, $2, $3 - 1, $4 - 1}'
}
# Waits until the banner is gone (recording over) and a picture shows, within a bound only
# a hang reaches.
_playing() { shot "$1" && (($(banner_difference "$1") > 2000)) && [[ $(drawn_box "$1") != 0\ 0\ * ]]; }
wait_playing() { wine_wait_until "$wine_wait_seconds" "the recording to end" _playing "$1" || fail "still recording"; }

echo "== /s: the banner while recording, then the same picture floating and bouncing"
settings 0 1 0 1000 740
start_full
# The first frame comes a moment after the window.
_centre_drawn() { shot recording && [[ $(wine_pixel "$shots/recording.png" 512 384) != "0 0 0" ]]; }
wine_wait_until "$wine_wait_seconds" "the first frame" _centre_drawn || fail "no surface in the centre"
diff=$(banner_difference recording)
((diff < 50)) || fail "no recording banner at (8, 8) with the first frames: $diff pixels differ"
wait_playing playing
declare -A places=()
first_size=""
end=$((${EPOCHREALTIME/./} + wine_wait_seconds * 1000000))
for ((i = 1; ${#places[@]} < 3; i++)); do
  ((${EPOCHREALTIME/./} < end)) || fail "the picture did not move: ${!places[*]}"
  shot "floating-$i"
  read -r w h x y <<<"$(drawn_box "floating-$i")"
  [[ -z "$first_size" ]] && first_size="$w $h"
  [[ "$w $h" == "$first_size" ]] || fail "the picture changed size: $w x $h, first $first_size"
  # The image (1000 x 740 on 1024 x 768) never stands more than 3 pixels past an edge; so
  # does the picture inside it, whose margins in the image are fixed.
  places["$x $y"]=1
done
xs=$(printf '%s\n' "${!places[@]}" | cut -d' ' -f1 | sort -n)
ys=$(printf '%s\n' "${!places[@]}" | cut -d' ' -f2 | sort -n)
(($(tail -1 <<<"$xs") - $(head -1 <<<"$xs") <= 24 + 6)) || fail "left the room across: $xs"
(($(tail -1 <<<"$ys") - $(head -1 <<<"$ys") <= 28 + 6)) || fail "left the room down: $ys"
end_full

echo "== /s with a curve: no banner, the plane drawn anew over the whole screen"
settings 1 1 0 200 200
start_full
# Once the curve is there the first frames have been drawn: a banner would show with them.
_curve_drawn() { shot curve && [[ $(convert "$shots/curve.png" -crop 200x200+412+284 +repage -format '%k' info:) -gt 2 ]]; }
wine_wait_until "$wine_wait_seconds" "the curve" _curve_drawn || fail "no curve in the centre"
(($(banner_difference curve) > 2000)) || fail "the banner shows over a curve"
end_full

echo "== /s without floating: the picture stays centred"
# A travelling wave, so that each new frame on the screen shows that time has passed: over
# several of them the picture never leaves the centred image.
settings 3 0 1 300 200
start_full
wait_playing still-1
declare -A frames=()
end=$((${EPOCHREALTIME/./} + wine_wait_seconds * 1000000))
for ((i = 2; ${#frames[@]} < 4; i++)); do
  ((${EPOCHREALTIME/./} < end)) || fail "the frames do not change: ${#frames[@]} seen"
  shot still-2
  read -r w h x y <<<"$(drawn_box still-2)"
  ((x >= 362 && y >= 284 && x + w <= 662 && y + h <= 484)) || fail "not in the centred image: $w $h $x $y"
  frames[$(convert "$shots/still-2.png" -crop 300x200+362+284 +repage rgb:- | md5sum | cut -d' ' -f1)]=1
done
end_full

echo "== /s with an image of 20000 x 20000: held to the screen, recorded, ended by a key"
settings 0 1 0 20000 20000
start_full
wait_playing huge
read -r w h x y <<<"$(drawn_box huge)"
((w > 600 && h > 400)) || fail "the picture of the held image is small: $w x $h"
end_full

echo "== /s with a formula that divides by zero: one report, the first key ends it"
settings 2 1 0 200 200
start_full
_reported() { shot divide && [[ $(convert "$shots/divide.png" -crop 300x24+8+8 +repage -fill black +opaque white -format '%@' info:) != 0x0+* ]]; }
wine_wait_until "$wine_wait_seconds" "the report" _reported || fail "no report at (8, 8)"
[[ $(convert "$shots/divide.png" -crop 200x200+412+284 +repage -format '%k' info:) -eq 1 ]] ||
  fail "something drawn in the centre"
boxes=$(xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l)
((boxes == 1)) || fail "$boxes visible windows, the saver's alone expected"
end_full
# Counted once the saver has ended: its log holds every report it made.
reports=$(tr -d '\r' <"$log" | grep -c '^Divide: Floating point division by zero$' || true)
[[ $reports == 1 ]] || fail "$reports reports: $(cat "$log")"

echo "== /c: the stored settings, sizes typed and Enter stores them"
settings 1 1 0 200 200
rm -f "$log"
wine "$saver" /c &
program=$!
dialog=$(wine_wait_window "Quorvel Graph Screen Saver") || fail "no settings dialog"
eval "$(xdotool getwindowgeometry --shell "$dialog")"  # the X window is the client area
[[ "$WIDTH $HEIGHT" == "273 345" ]] || fail "the dialog's client area is $WIDTH x $HEIGHT"
xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog" || true
wine_wait_screen_settled || fail "the dialog keeps changing"
shot config
# The focus starts in ImageHeight; Tab goes on to ImageWidth.
xdotool key --window "$dialog" End BackSpace BackSpace BackSpace BackSpace
xdotool type --window "$dialog" --delay 20 250
xdotool key --window "$dialog" Tab End BackSpace BackSpace BackSpace BackSpace
xdotool type --window "$dialog" --delay 20 300
echo "changed meanwhile" >set.twk
xdotool key --window "$dialog" Return
wine_wait_exit "$program" || fail "Enter did not close the dialog"
wait "$program" || fail "status $?"
stored=$(wine reg query 'HKCU\Software\Quorvel\Plotvane' | tr -d '\r')
grep -q "ImageWidth    REG_DWORD    0x12c" <<<"$stored" || fail "width not stored: $stored"
grep -q "ImageHeight    REG_DWORD    0xfa" <<<"$stored" || fail "height not stored: $stored"
grep -q "fn    REG_DWORD    0x1" <<<"$stored" || fail "the stored selection was lost: $stored"
cmp -s set.twk original.twk || fail "OK did not write the graph set back"

echo "== /c: Escape stores nothing and still writes the set back"
settings 1 1 0 200 200
wine "$saver" /c &
program=$!
dialog=$(wine_wait_window "Quorvel Graph Screen Saver") || fail "no settings dialog"
xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog" || true
xdotool key --window "$dialog" End BackSpace
xdotool type --window "$dialog" --delay 20 7
echo "changed meanwhile" >set.twk
xdotool key --window "$dialog" Escape
wine_wait_exit "$program" || fail "Escape did not close the dialog"
wait "$program" || fail "status $?"
stored=$(wine reg query 'HKCU\Software\Quorvel\Plotvane' /v ImageHeight | tr -d '\r')
grep -q "0xc8" <<<"$stored" || fail "Cancel stored a value: $stored"
cmp -s set.twk original.twk || fail "Cancel did not write the graph set back"
echo "the saver behaved"
