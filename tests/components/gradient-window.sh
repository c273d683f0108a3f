#!/usr/bin/env bash
# Starts the gradient caption probe under Wine and compares three pixels of its title bar on a
# screenshot with the colours the probe computed from its gradient table: black at the left
# end, then steps toward the system's caption colour.  One step of difference is allowed,
# for the rounding of the stretched strip.  Usage: gradient-window.sh PATH/gradient_window.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

exe=$1
wine_test_session

# Without a window manager Wine leaves the frame to one and shows no title bar: this probe
# (only it, by its program name) gets the frame Wine draws itself, through the form's own
# non-client painting.
wine reg add 'HKCU\Software\Wine\AppDefaults\gradient_window.exe\X11 Driver' \
  /v Decorated /d N /f >/dev/null 2>&1
wine "$exe" "$work/samples.txt" &
wine_wait_window "G" >/dev/null || exit 1
wine_wait_file "$work/samples.txt" || exit 1
wine_wait_file "$work/samples.txt.dwm" || exit 1
# Wine has dwmapi.dll: the form asks it to leave the frame alone, as it must on Windows.
grep -qx "frame left to the form" "$work/samples.txt.dwm" || { echo "the compositor was not asked" >&2; exit 1; }

tolerance=6
failures=0
# Whether the screen shows the sampled colours; the first paint may follow the mapping.
title_matches() {
  failures=0
  wine_screenshot "$work/screen.png"
  report=""
  while read -r x y r g b <&3; do
    read -r sr sg sb <<<"$(wine_pixel "$work/screen.png" "$x" "$y" </dev/null)"
    report+="($x, $y) is $sr $sg $sb, expected $r $g $b"$'\n'
    for pair in "$sr $r" "$sg $g" "$sb $b"; do
      read -r seen want <<<"$pair"
      [[ -n "$seen" ]] || seen=-999   # no pixel read: fails the comparison
      diff=$((seen - want))
      if ((diff > tolerance || diff < -tolerance)); then failures=$((failures + 1)); fi
    done
  done 3<"$work/samples.txt"
  ((failures == 0))
}
wine_wait_until "$wine_wait_seconds" "the gradient title bar" title_matches || true
printf '%s' "$report"
if ((failures > 0)); then
  echo "the title bar does not show the gradient" >&2
  exit 1
fi
