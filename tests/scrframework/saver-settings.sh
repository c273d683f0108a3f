#!/usr/bin/env bash
# The shared screen-saver values in the current user's registry of the Wine prefix: filled in
# and repaired when the saver starts, and obeyed by the full-screen saver, which ends on a
# mouse movement beyond the stored threshold but not on one up to it.
# Usage: saver-settings.sh PlotvaneTraced.scr slidemaker_probe.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

saver=$1 probe=$2
wine_test_session
cd "$work"

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Screen Savers'
log=plotvane-trace.log
# The value as "TYPE DATA", or nothing when it is missing.
value() {
  wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$1 *\(REG_[A-Z]*\) *\(.*\)$/\1 \2/p"
}
expect_values() {  # "name=TYPE DATA" ...
  local pair
  for pair in "$@"; do
    [[ "$(value "${pair%%=*}")" == "${pair#*=}" ]] ||
      fail "${pair%%=*} is '$(value "${pair%%=*}")', expected '${pair#*=}'"
  done
}

echo "== a start without the key creates it with the start defaults"
wine reg delete "$key" /f >/dev/null 2>&1 || true
timeout 60 wine "$saver" /x || fail "status $?"  # a bad switch: the values, then the end
expect_values "Password Delay=REG_DWORD 0x1e" "Password Delay Index=REG_DWORD 0x0" \
  "Mouse Threshold=REG_DWORD 0x64" "Mouse Threshold Index=REG_DWORD 0x1" \
  "Mouse Corners=REG_SZ ----" "Mute Sound=REG_DWORD 0x0" "Active Config=REG_DWORD 0x0"

echo "== a start keeps good values and repairs the others"
wine reg add "$key" /v "Password Delay Index" /t REG_DWORD /d 7 /f >/dev/null
wine reg add "$key" /v "Mouse Threshold Index" /t REG_DWORD /d 3 /f >/dev/null
wine reg add "$key" /v "Mouse Corners" /t REG_SZ /d "YN-x" /f >/dev/null
wine reg add "$key" /v "Password Delay" /t REG_SZ /d "45" /f >/dev/null
wine reg add "$key" /v "Mouse Threshold" /t REG_DWORD /d 50 /f >/dev/null
timeout 60 wine "$saver" /x || fail "status $?"
expect_values "Password Delay Index=REG_DWORD 0x0" "Mouse Threshold Index=REG_DWORD 0x3" \
  "Mouse Corners=REG_SZ YN-x" "Password Delay=REG_DWORD 0x1e" "Mouse Threshold=REG_DWORD 0x32"

# Starts the full-screen saver with the cursor at (500, 400), moves the cursor through the
# given points, and when a key is named, presses it.  X delivers the moves and the key in
# order, so a saver that ends on the key did not end on the moves.
run_full() {  # KEY|- X,Y ...
  local key=$1 point program window
  shift
  xdotool mousemove 500 400
  # The saver takes its reference point when its window is made: Wine must know where the
  # pointer is by then, or the first move is measured from where it was before.
  wine "$probe" pointer 500 400 || fail "Wine never saw the pointer at (500, 400)"
  wine "$saver" /s &
  program=$!
  window=$(wine_wait_window "Plotvane") || fail "no full-screen window"
  for point in "$@"; do xdotool mousemove "${point%,*}" "${point#*,}"; done
  if [[ "$key" != - ]]; then
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window" || true
    xdotool key --window "$window" "$key"
  fi
  wine_wait_exit "$program" || { kill "$program"; fail "the saver did not end"; }
  wait "$program" || fail "the saver ended with status $?"
}
expect_ending() {  # the first line of the ending of the run's trace (its last four lines)
  local actual expected
  actual=$(tr -d '\r' <"$log" | tail -n 4)
  expected=$(printf '%s\n' "$1" "Acting upon saClose" "CloseQuery" \
    "Close-query doesn't require password: so, it's fine.")
  [[ "$actual" == "$expected" ]] || fail "trace lines: $(cat "$log")"
}

echo "== /s with a threshold of 50 pixels: moves of 50 keep it, then a key ends it"
run_full space 540,430 550,400
expect_ending "Full key down: closing..."

echo "== /s with a threshold of 50 pixels: a move just beyond ends it"
run_full - 550,401  # the square of the distance is 2501 > 2500
expect_ending "Full mouse move: closing..."
echo "the settings behaved"
