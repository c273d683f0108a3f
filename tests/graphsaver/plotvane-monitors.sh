#!/usr/bin/env bash
# The full screen on two monitors: a 1024 x 768 primary monitor with an 800 x 600 one to its
# left.  The saver window covers both (the virtual screen) and the floating image stays on
# the primary monitor, never on the left one nor in the strip below it that no monitor
# shows (tests/support/two-monitors.sh makes the two monitors).  Skipped (status 77) where
# that server cannot start.  Usage: plotvane-monitors.sh PlotvaneTraced.scr twk.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"
source "$here/../support/two-monitors.sh"

saver=$1 twk=$2
two_monitors_start

wine_test_session
trap 'wine_session_stop; two_monitors_stop; rm -rf "$work"' EXIT
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
# image has shown in three places; all but the recording banner, which sits at the window's
# own corner (the virtual screen's top-left) while the cycle records, and is left out.
declare -A places=()
end=$((${EPOCHREALTIME/./} + wine_wait_seconds * 1000000))
for ((i = 1; ${#places[@]} < 3; i++)); do
  ((${EPOCHREALTIME/./} < end)) || fail "the image did not float: ${!places[*]}"
  wine_screenshot "$shots/monitors-$i.png"
  box=$(convert "$shots/monitors-$i.png" -fill black -draw 'rectangle 0,0 239,79' -bordercolor black -border 1 \
    -format '%@' info: | sed 's/[x+]/ /g')
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
