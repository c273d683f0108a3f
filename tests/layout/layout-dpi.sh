#!/usr/bin/env bash
# Holds every window of both programs against its layout table at 96, 120, 144 and 192 DPI
# (100, 125, 150 and 200 %): one Wine session per DPI, in which each walker shows its
# program's windows in its own process and checks them (tests/layout/LayoutWalk.h).  The
# 96-DPI session runs first: it records the client sizes the others must scale.  The
# windows' pictures are left as OUTDIR/DPI/PROGRAM-WINDOW.png.
# Usage: layout-dpi.sh OUTDIR WALKER.exe...
set -euo pipefail
shopt -s nullglob
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

out=$1
shift
rm -rf "$out"
mkdir -p "$out"
# Room for the largest window at 200 %.
export PLOTVANE_XVFB_SCREEN=1600x1200x24
wine_test_session

# The system DPI is read when the Wine server starts: set it, then let the server end.
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}
# The prefix is this test's own (CMake gives it), and starts each run at 96 DPI all the same.
trap 'set_dpi 96; wine_session_stop; rm -rf "$work"' EXIT

for walker in "$@"; do
  # Wine draws the frames itself (there is no window manager), so the pictures show them.
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\${walker##*/}\\X11 Driver" \
    /v Decorated /d N /f >/dev/null 2>&1
done

status=0
for dpi in 96 120 144 192; do
  set_dpi "$dpi"
  for walker in "$@"; do
    wine "$walker" "$dpi" "$(winepath -w "$out")" || status=1
  done
  for picture in "$out/$dpi"/*.bmp; do
    convert "$picture" "${picture%.bmp}.png" && rm "$picture"
  done
done
((status == 0)) || fail "a window does not hold to its layout table (lines above)"
echo "layout at 96, 120, 144 and 192 DPI: every window holds to its table; pictures in $out"
