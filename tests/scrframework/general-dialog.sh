#!/usr/bin/env bash
# The general panel and a live preview in a configuration dialog on screen: screenshots of it
# (kept in SCREENSHOTS), the monitor picture and its corner marks on them, and a click with
# the mouse in a corner box that opens the corner menu.
# Usage: general-dialog.sh scrkit_win_tests.exe SCREENSHOTS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

tests=$1 shots=$2
mkdir -p "$shots"
wine_test_session
cd "$work"
# Without a window manager Wine leaves the frame to one and shows no title bar: for this run
# the test program gets the frame Wine draws itself.
frame_key='HKCU\Software\Wine\AppDefaults\scrkit_win_tests.exe\X11 Driver'
wine reg add "$frame_key" /v Decorated /d N /f >/dev/null 2>&1
trap 'wine reg delete "$frame_key" /f >/dev/null 2>&1; wine_session_stop; rm -rf "$work"' EXIT

wine "$tests" --gtest_also_run_disabled_tests --gtest_filter=ScrDialogShown.DISABLED_* \
  >tests.out 2>&1 &
program=$!
# Ends the test program: a menu left open would keep it from seeing done.txt.
finish() {
  xdotool key Escape
  touch done.txt
  wait "$program" || { cat tests.out >&2; fail "the dialog test failed"; }
}
wine_wait_file shown.txt || { cat tests.out >&2; fail "the dialog did not show"; }
read -r _ cx cy < <(tr -d '\r' <shown.txt | grep '^corner')
read -r _ dx dy _ _ < <(tr -d '\r' <shown.txt | grep '^dialog')

expect_pixel() {  # FILE X Y "R G B" WHAT
  local seen
  seen=$(wine_pixel "$1" "$2" "$3")
  [[ "$seen" == "$4" ]] || { finish; fail "$5: ($2, $3) is '$seen', expected '$4'"; }
}

shot=$shots/general-dialog.png
# The corner boxes are 32 pixels wide: (cx, cy) is the top-left box's centre, the monitor's
# screen starts 16 pixels left of the box's left edge, 17 above its top.
left=$((cx - 16)) top=$((cy - 16))
# The monitor painted (its never mark is drawn last), then the preview's first paint.
wine_wait_pixel $((left + 121 + 5)) $((top + 81 + 5)) "200 32 32" || { finish; fail "the monitor is not painted"; }
wine_wait_screen_settled || { finish; fail "the dialog keeps changing"; }
wine_screenshot "$shot"
expect_pixel "$shot" $((left + 4)) $((top + 4)) "128 128 128" "the default mark's frame"
expect_pixel "$shot" $((left + 121 + 5)) $((top + 5)) "0 200 80" "the now mark (top right)"
expect_pixel "$shot" $((left + 121 + 5)) $((top + 81 + 5)) "200 32 32" "the never mark (bottom right)"
expect_pixel "$shot" $((left + 60)) $((top + 40)) "0 128 128" "the monitor's screen"
expect_pixel "$shot" $((left - 16 + 6)) $((top - 17 + 90)) "192 192 192" "the monitor's casing"
# Beside the casing the mask lets the panel show through.
expect_pixel "$shot" $((left - 16 + 1)) $((top - 17 + 160)) "$(wine_pixel "$shot" $((dx + 20)) $((dy + 200)))" \
  "the panel beside the monitor's foot"

xdotool mousemove "$cx" "$cy" click 1
_menu_open() { xwininfo -root -tree | grep -q "+$cx+$cy  *+$cx+$cy\$"; }
wine_wait_until "$wine_wait_seconds" "the corner menu" _menu_open || { finish; fail "no menu window at the click"; }
wine_wait_screen_settled || { finish; fail "the menu keeps changing"; }
menu_shot=$shots/general-dialog-menu.png
wine_screenshot "$menu_shot"
# The menu opens at the click, down and to the right, over the teal screen of the monitor.
# (Wine's pop-up menus show as black boxes on these screenshots; the test program reads the
# menu itself in ScrDialogWindows.ChangesUnderTheMouseAreSavedAndShownAgain.)
[[ "$(wine_pixel "$menu_shot" $((cx + 30)) $((cy + 20)))" != "0 128 128" ]] ||
  { finish; fail "no corner menu under the click"; }
xwininfo -root -tree | grep -q "+$cx+$cy  *+$cx+$cy\$" || { finish; fail "no menu window at the click"; }
finish
echo "screenshots: $shot $menu_shot"
