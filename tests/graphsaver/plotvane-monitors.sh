#!/usr/bin/env bash
# The full screen on two monitors: a 1024 x 768 primary monitor with an 800 x 600 one to its
# left.  The saver window covers both (the virtual screen) and the floating image stays on
# the primary monitor, never on the left one nor in the strip below it that no monitor
# shows.  Xvfb gives Wine one monitor whatever its options; an X server with the dummy video
# driver and two RandR outputs gives it two.  Skipped (status 77) where that server cannot
# start.  Usage: plotvane-monitors.sh PlotvaneTraced.scr twk.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

saver=$1 twk=$2
command -v Xorg >/dev/null && [[ -f /usr/lib/xorg/modules/drivers/dummy_drv.so ]] ||
  { echo "no Xorg with the dummy driver: skipped"; exit 77; }
xwork=$(mktemp -d)
cat >"$xwork/xorg.conf" <<'EOF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 64000
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 1824 768
  EndSubSection
EndSection
EOF
mkfifo "$xwork/display"
Xorg -noreset -nolisten tcp -config "$xwork/xorg.conf" -logfile "$xwork/xorg.log" \
  -displayfd 3 3>"$xwork/display" >/dev/null 2>&1 &
xorg=$!
display=""
read -r -t 20 display <"$xwork/display" || true
if [[ -z "$display" ]]; then
  kill "$xorg" 2>/dev/null || true
  rm -rf "$xwork"
  echo "the dummy X server did not start: skipped"
  exit 77
fi
export DISPLAY=":$display"
xrandr --newmode left800 38.25 800 832 912 1024 600 603 607 624 -hsync +vsync
xrandr --addmode DUMMY1 left800
xrandr --output DUMMY0 --primary --mode 1024x768 --pos 800x0 --output DUMMY1 --mode left800 --pos 0x0
_two_monitors() { xrandr --listactivemonitors | grep -q '^Monitors: 2'; }
wine_wait_until "$wine_wait_seconds" "two monitors" _two_monitors || true

wine_test_session
trap 'wine_session_stop; kill "$xorg" 2>/dev/null; wait "$xorg" 2>/dev/null; rm -rf "$work" "$xwork"' EXIT
cd "$work"
shots=${PLOTVANE_SCREENSHOTS:-$work/shots}
mkdir -p "$shots"

cat >set.twktext <<'EOF'
[graph]
Name = Still Ripple
Func3Text = 0.6sin(2u)cos(2v)
UMinText = -3
UMaxText = 3
UDivText = 24
VMinText = -3
VMaxText = 3
VDivText = 24
FrameCount = 8
FramesPerSecond = 100
FillColor1 = 0x602000
FillColor2 = 0xFFC040
EOF
wine "$twk" build set.twktext -o set.twk >/dev/null || fail "twk build"
set_win="Z:${work//\//\\}\\set.twk"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Quorvel\\Plotvane]\r\n"fn"=dword:0\r\n"IsFloat"=dword:1\r\n"IsReverse"=dword:0\r\n"IsRandom"=dword:0\r\n"ImageWidth"=dword:12c\r\n"ImageHeight"=dword:c8\r\n"CurrentFile"="%s"\r\n' \
  "${set_win//\\/\\\\}" >settings.reg
wine regedit /S settings.reg || fail "settings import"

wine "$saver" /s &
program=$!
window=$(wine_wait_window "Plotvane") || fail "no full-screen window"
eval "$(xdotool getwindowgeometry --shell "$window")"
[[ "$X $Y $WIDTH $HEIGHT" == "0 0 1824 768" ]] || fail "the full screen is at $X $Y ${WIDTH}x$HEIGHT"

# Everything drawn lies on the primary monitor (x from 800), in every screenshot until the
# image has shown in three places.
declare -A places=()
end=$((${EPOCHREALTIME/./} + wine_wait_seconds * 1000000))
for ((i = 1; ${#places[@]} < 3; i++)); do
  ((${EPOCHREALTIME/./} < end)) || fail "the image did not float: ${!places[*]}"
  wine_screenshot "$shots/monitors-$i.png"
  box=$(convert "$shots/monitors-$i.png" -bordercolor black -border 1 -format '%@' info: | sed 's/[x+]/ /g')
  read -r w h x y <<<"$box"
  ((w > 0)) || continue
  ((x - 1 >= 800 - 3 && x - 1 + w <= 1824 + 3 && y - 1 >= -3 && y - 1 + h <= 768 + 3)) ||
    fail "drawn outside the primary monitor: ${w}x$h at $((x - 1)),$((y - 1))"
  places["$x $y"]=1
done
xdotool key --window "$window" space
wine_wait_exit "$program" || { kill "$program"; fail "a key did not end the saver"; }
wait "$program" || fail "status $?"
echo "two monitors: covered, the image on the primary one"
