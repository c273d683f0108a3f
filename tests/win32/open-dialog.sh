#!/usr/bin/env bash
# The file-open dialog as a person uses it: a path typed into the name field and Enter chooses
# the file; Escape cancels and leaves the file name as it was, whatever was typed.  (The name
# is typed with its extension: Wine 8's dialog looks for a name that must exist before it
# adds the default extension, and answers "File does not exist".)  Usage: open-dialog.sh PATH/open_dialog_probe.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

exe=$1
wine_test_session
mkdir -p "$work/pictures"
echo text >"$work/pictures/chosen.txt"
echo text >"$work/pictures/other.dat"
folder=$(winepath -w "$work/pictures")

wine "$exe" "$folder" "$(winepath -w "$work/result.txt")" &
program=$!

# Waits for the dialog captioned $1 and gives it the keyboard; its name field has the focus.
focus_dialog() {
  local window
  window=$(wine_wait_window "$1") || fail "the dialog '$1' did not open"
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
  # The dialog fills its file list after it is mapped: typed keys wait until it is drawn.
  wine_wait_screen_settled || fail "the dialog '$1' keeps changing"
}
focus_dialog "Plotvane open probe 1"
xdotool type --delay 20 "$folder\\chosen.txt"
xdotool key Return
# Typing and then Escape: the typed name must not reach FileName.
focus_dialog "Plotvane open probe 2"
xdotool type --delay 20 "other"
xdotool key Escape

# A dialog that ignored the keys would keep the probe waiting.
wine_wait_exit "$program" || fail "the probe did not end after Escape"
status=0
wait "$program" || status=$?
[[ $status -eq 0 ]] || fail "the probe exited with status $status"
result=$(tr -d '\r' <"$work/result.txt")
expected="true $folder\\chosen.txt
false $folder\\chosen.txt"
[[ "$result" == "$expected" ]] || fail "results were
$result
expected
$expected"
echo "open dialog: typed path chosen, Escape cancelled"
