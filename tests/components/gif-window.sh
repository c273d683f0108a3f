#!/usr/bin/env bash
# Starts the GIF control probe under Wine and watches the middle of its window on screenshots
# until it has shown both frames of its animation, red and blue, one after the other.
# Usage: gif-window.sh PATH/gif_window.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

exe=$1
wine_test_session

wine "$exe" &
window=$(wine_wait_window "GIF control probe")

# The middle of the window lies well inside the client area, which the picture fills.
eval "$(xdotool getwindowgeometry --shell "$window")"
x=$((X + WIDTH / 2))
y=$((Y + HEIGHT / 2))
seen=()
for _ in $(seq 200); do   # a frame lasts 300 ms; a slow screenshot only means more rounds
  wine_screenshot "$work/screen.png"
  colour=$(wine_pixel "$work/screen.png" "$x" "$y")
  if [[ ${#seen[@]} -eq 0 || "${seen[-1]}" != "$colour" ]]; then
    seen+=("$colour")
  fi
  # Red, then blue (or blue, then red): the animation has moved on by itself.
  if [[ ${#seen[@]} -ge 3 ]]; then
    break
  fi
done
echo "colours seen at ($x, $y): ${seen[*]}"
case " ${seen[*]} " in
  *" 255 0 0 0 0 255 "* | *" 0 0 255 255 0 0 "*) ;;
  *)
    echo "the picture did not change from red to blue or back" >&2
    exit 1
    ;;
esac
