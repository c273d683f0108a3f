#!/usr/bin/env bash
# Starts the colour probe under Wine, checks its client area on a screenshot, moves the mouse
# over it and closes it with Escape.  Usage: colour-window.sh PATH/colour_window.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

exe=$1
wine_test_session

wine "$exe" &
program=$!
window=$(wine_wait_window "Plotvane colour probe")

# The middle of the window lies well inside the client area, whatever frame Wine draws.
eval "$(xdotool getwindowgeometry --shell "$window")"
x=$((X + WIDTH / 2))
y=$((Y + HEIGHT / 2))
# The first paint may follow the mapping of the window.
wine_wait_pixel "$x" "$y" "32 160 96" || exit 1
colour="32 160 96"

xdotool mousemove "$x" "$y"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key --window "$window" Escape
status=0
wait "$program" || status=$?
if [[ $status -ne 0 ]]; then
  echo "the probe exited with status $status, expected 0 after Escape" >&2
  exit 1
fi
echo "colour probe: pixel ($x, $y) = $colour, closed by Escape"
