#!/usr/bin/env bash
# Drives the control gallery under Wine as a person would (typing, clicking, the arrow keys,
# Tab, Enter, Escape, the drop-down list, the popup menu, the menu bar, the system menu) and
# checks the events it logged, in order, and the values it held at the end.  Keeps
# screenshots of the gallery in the folder given.
# Usage: control-gallery.sh PATH/control_gallery.exe SCREENSHOT_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

exe=$1
shots=$2
mkdir -p "$shots"
wine_test_session

# Without a window manager Wine leaves the frame to one: the gallery gets the frame Wine
# draws itself, so that its screenshots show the caption and borders.
wine reg add 'HKCU\Software\Wine\AppDefaults\control_gallery.exe\X11 Driver' \
  /v Decorated /d N /f >/dev/null 2>&1
log="$work/gallery.log"
wine "$exe" "$(winepath -w "$log" 2>/dev/null)" &
program=$!
window=$(wine_wait_window "Control gallery")
wine_wait_line "$log" '^ready$' || fail "the gallery did not start"

# place NAME: sets X Y W H to the control's screen rectangle.
place() {
  read -r X Y W H < <(sed -n "s/^place $1 //p" "$log")
  [[ -n "${X:-}" ]] || fail "no place logged for $1"
}
# click NAME [DX DY]: a left click inside the control, by default in its middle.  Input is
# not paced: `expect` waits for the events it names.
click() {
  place "$1"
  xdotool mousemove $((X + ${2:-W / 2})) $((Y + ${3:-H / 2})) click 1
}
key() { xdotool key "$@"; }
# The events logged since the last call, one per line, into $got.
seen=0
event_lines() { grep -v -e '^place ' -e '^ready$' "$log" || true; }
events() {
  got=$(event_lines | tail -n +$((seen + 1)))
  seen=$(event_lines | wc -l)
}
_logged() { (($(event_lines | wc -l) >= seen + $1)); }
# expect WHAT EVENTS: waits until as many events as EVENTS has lines are logged, then compares.
expect() {
  local what=$1 wanted=$2
  wine_wait_until "$wine_wait_seconds" "the events after $what" _logged "$(wc -l <<<"$wanted")" || true
  events
  if [[ "$got" != "$wanted" ]]; then
    printf 'after %s expected:\n%s\ngot:\n%s\n' "$what" "$wanted" "$got" >&2
    exit 1
  fi
  echo "ok: $what"
}

xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
wine_wait_until "$wine_wait_seconds" "the first focus" _logged 1 || fail "no control got the focus"
wine_wait_screen_settled || fail "the gallery keeps changing"
events   # the first focus, whichever control gets it

# What a person sees: the gallery as a whole, and the few pixels that prove the rules.
wine_screenshot "$shots/control-gallery.png"
shot="$shots/control-gallery.png"
# The lowered box bevel: its top line in the button shadow, its bottom line in the highlight.
place Box
[[ "$(wine_pixel "$shot" $((X + W / 2)) "$Y")" != "192 192 192" ]] || fail "no top line on the box bevel"
[[ "$(wine_pixel "$shot" $((X + W / 2)) $((Y + 1)))" == "192 192 192" ]] || fail "the box bevel is wider than one line"
[[ "$(wine_pixel "$shot" $((X + W / 2)) $((Y + H - 1)))" == "255 255 255" ]] || fail "no highlight line at the bottom of the box bevel"
# The transparent title: white text on the panel's blue, all of it inside the label.
place Title
title_white=$(convert "$shot" -crop "${W}x${H}+${X}+${Y}" -fill black +opaque white -format '%[fx:mean*w*h]' info:)
[[ ${title_white%.*} -gt 20 ]] || fail "the title shows no white text ($title_white)"
[[ "$(wine_pixel "$shot" $((X + 2)) $((Y + 2)))" == "0 96 160" ]] || fail "the title is not transparent over the blue panel"
place ColourPanel
outside=$(convert "$shot" -crop "$((W - 4))x8+$((X + 2))+$((Y + 30))" -fill black +opaque white -format '%[fx:mean*w*h]' info:)
[[ ${outside%.*} -eq 0 ]] || fail "white pixels below the title's bounds ($outside)"
# The centred picture: its top-left quarter (red) and bottom-right quarter (blue-green).
place Picture
[[ "$(wine_pixel "$shot" $((X + W / 2 - 10)) $((Y + H / 2 - 8)))" == "220 0 0" ]] || fail "the picture's red quarter is not centred"
[[ "$(wine_pixel "$shot" $((X + W / 2 + 10)) $((Y + H / 2 + 8)))" == "0 200 255" ]] || fail "the picture's last quarter is not centred"
echo "ok: screenshot $shot"

click NameEdit
# The edit has the focus when the last focus logged is its own (its first focus, or the click's).
_edit_focused() { [[ $(event_lines | grep '^focus ' | tail -n 1) == "focus NameEdit" ]]; }
wine_wait_until "$wine_wait_seconds" "the edit's focus" _edit_focused || fail "the edit did not take the focus"
events
xdotool type --delay 60 "hi"
expect "typing into the edit" "NameEdit.OnChange h
NameEdit.OnChange hi"
key Return
expect "Enter in an edit with a key handler" "NameEdit.OnKeyPress Enter"
key Tab
expect "Tab" "focus Check"
key space
expect "Space on the check box" "Check.OnClick 1"
click Check
expect "clicking the check box" "Check.OnClick 0"

click List 20 $((2 + 16 * 1 + 8))
expect "clicking a list entry" "focus List
List.OnClick 1"
key Down
expect "the down arrow in the list" "List.OnClick 2"

click Combo
key Down
key Return
expect "choosing in the drop-down list" "focus Combo
Combo.OnChange Normal"

click NumberEdit
place Spin
xdotool mousemove $((X + W / 2)) $((Y + 4)) click 1
expect "the up arrow" "focus NumberEdit
NumberEdit.OnChange 1"
key Return
expect "Enter clicks the default button" "OkButton.OnClick"
key Escape
expect "Escape clicks the cancel button" "CancelButton.OnClick"

click ArrowButton
expect "the picture-only button" "focus ArrowButton
ArrowButton.OnClick"
click LongButton
expect "the hourglass during a long command" "focus LongButton
LongButton.OnClick hourglass 1"
click Title
expect "clicking a label" "Title.OnClick"

place Client
wine_screenshot "$work/before-popup.png"
xdotool mousemove $((X + 20)) $((Y + H - 20)) click 3
wine_wait_changed "$work/before-popup.png" || fail "no popup menu"
wine_wait_screen_settled || fail "the popup menu keeps changing"
wine_screenshot "$shots/control-gallery-popup.png"
key Down
key Down
key Return
expect "the popup menu" "Popup.Second"

# The menu bar lies just above the client area.
wine_screenshot "$work/before-menu.png"
xdotool mousemove $((X + 15)) $((Y - 8)) click 1
wine_wait_changed "$work/before-menu.png" || fail "the menu bar did not open"
key Down
key Return
expect "the menu bar" "Menu.Hello"

# The system menu's own item, appended by the form: Alt+Space, then the last item.
key alt+space
key Up
key Return
expect "the item added to the system menu" "System.Note"

# Ends with the keyboard: File, Exit through the menu's access keys.
key alt+f
key x
status=0
wine_wait_exit "$program" || fail "File, Exit did not end the gallery"
wait "$program" || status=$?
[[ $status -eq 0 ]] || fail "the gallery exited with status $status"
expect "closing" "value NameEdit hi
value Check 0
value List 2
value Combo Normal
value NumberEdit 1
value Spin 1"
echo "control gallery: every event and value as expected; screenshots in $shots"
