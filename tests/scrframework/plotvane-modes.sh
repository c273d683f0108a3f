#!/usr/bin/env bash
# Runs the traced Plotvane.scr in every mode the host uses and checks windows, exit status
# and trace lines; then its install registration and uninstall.
# Usage: plotvane-modes.sh PlotvaneTraced.scr preview_host.exe MPR.DLL
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

saver=$1 host=$2 mpr=$3
wine_test_session
cd "$work"

windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
log=plotvane-trace.log
saver_win=$(windows_path "$saver")
# Ends a saver within a bound that only a hanging saver reaches.
run_saver() { timeout 60 wine "$@"; }
# Waits for a saver started in the background, within the same bound.
wait_saver() {
  wine_wait_exit "$1" || { kill "$1"; fail "the saver did not end"; }
  wait "$1"
}
# Sends a key to one window, focused first as the colour probe test does.
key_to() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1" || true
  xdotool key --window "$1" "$2"
}

expect_log() {  # expected lines, one per argument
  local expected actual
  expected=$(printf '%s\n' "$@")
  actual=$(tr -d '\r' <"$log")
  if [[ "$actual" != "$expected" ]]; then
    diff <(echo "$expected") <(echo "$actual") >&2 || true
    fail "trace lines differ (< expected, > actual)"
  fi
}

echo "== bad or empty command line: ends at once, no window, no trace"
for args in "" "/x" "/p" "/p 0x7ffffff0"; do
  rm -f "$log"
  # shellcheck disable=SC2086
  run_saver "$saver" $args || fail "status $? for '$args'"
  [[ ! -e "$log" ]] || fail "'$args' wrote a trace: $(cat "$log")"
done

# The saver's own settings as a fresh install has them: its default graph set
# ("Saver.twk" beside no sibling install) does not exist, so the full screen stays black.
wine reg delete 'HKCU\Software\Quorvel\Plotvane' /f >/dev/null 2>&1 || true

echo "== /s: a black top-most window over the whole screen, closed by a key"
wine "$saver" /s &
program=$!
window=$(wine_wait_window "Plotvane") || fail "no full-screen window"
eval "$(xdotool getwindowgeometry --shell "$window")"
[[ "$X $Y $WIDTH $HEIGHT" == "0 0 1024 768" ]] || fail "full-screen window at $X $Y ${WIDTH}x$HEIGHT"
wine_screenshot screen.png
for point in "2 2" "512 384" "1021 765"; do
  # shellcheck disable=SC2086
  colour=$(wine_pixel screen.png $point)
  [[ "$colour" == "0 0 0" ]] || fail "pixel ($point) is '$colour', expected black"
done
wine "$host" --topmost "Plotvane" || fail "the full-screen window is not a top-most screen cover"
key_to "$window" space
wait_saver "$program" || fail "the saver ended with status $?"
expect_log "(starting log)" "****** NEW RUN STARTED **** \"$saver_win\" /s" "Perform full" \
  "Perform extra settings" "Cannot open file Saver.twk" "Full key down: closing..." "Acting upon saClose" "CloseQuery" \
  "Close-query doesn't require password: so, it's fine."

echo "== install registration of an ordinary start"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Plotvane'
entry=$(wine reg query "$key" | tr -d '\r')
grep -qF "DisplayName    REG_SZ    Quorvel Graph Screen Saver 1.0" <<<"$entry" || fail "entry: $entry"
grep -qF "UninstallString    REG_SZ    $saver_win -u" <<<"$entry" || fail "entry: $entry"

echo "== /p: the control panel's preview, ended by destroying the host window"
wine "$host" "$saver_win" || fail "preview host checks"
# Appended to the full-screen run's log; the window number varies.
lines=$(tr -d '\r' <"$log" | tail -n 5)
[[ $(sed -n 1p <<<"$lines") == "****** NEW RUN STARTED **** \"$saver_win\" /p "* ]] || fail "$lines"
[[ $(sed -n '2,5p' <<<"$lines") == $'Perform main preview\nMain preview created and cached\nPreview is hooked in to proxy; about to show it.\nMain preview proxy has signalled a Destroy: terminating...' ]] ||
  fail "preview trace: $lines"
grep -q "^(starting log)" "$log" && [[ $(grep -c "starting log" "$log") == 1 ]] || fail "the preview emptied the log"

echo "== /c: the settings dialog, closed with Escape"
wine "$saver" /c &
program=$!
window=$(wine_wait_window "Quorvel Graph Screen Saver") || fail "no settings dialog"
key_to "$window" Escape
wait_saver "$program" || fail "the saver ended with status $?"
expect_log "(starting log)" "****** NEW RUN STARTED **** \"$saver_win\" /c" "Perform Config (regular)" \
  "Perform extra settings"

echo "== /a without a password provider of ours: nothing happens"
run_saver "$saver" /a || fail "status $?"
expect_log "(starting log)" "****** NEW RUN STARTED **** \"$saver_win\" /a" "Perform Change Password"

echo "== /a with our MPR.DLL beside the saver: the change entry is called"
mkdir provider
cp "$saver" "$mpr" provider/
WINEDLLOVERRIDES="mpr=n,b" run_saver provider/"$(basename "$saver")" /a || fail "status $?"
calls=$(tr -d '\r' <provider-calls.txt)
[[ "$calls" =~ ^"PwdChangePasswordA SCRSAVE "(window|no-window)" 0 null"$ ]] || fail "calls: $calls"

echo "== -u: No keeps everything, Yes removes the keys and the files"
folder="$WINEPREFIX/drive_c/Plotvane Test 100%"
mkdir -p "$folder"
cp "$saver" "$folder/Plotvane.scr"
cd "$WINEPREFIX/drive_c"  # the batch goes to the root of the current drive, C:
installed='C:\Plotvane Test 100%\Plotvane.scr'
run_saver "$installed" /x || fail "status $?"
wine reg query "$key" | tr -d '\r' | grep -qF "$installed -u" || fail "not registered from C:"
wine "$installed" -u &
program=$!
box=$(wine_wait_window "Quorvel Graph Screen Saver") || fail "no uninstall question"
key_to "$box" n
wait_saver "$program" || fail "status $? after No"
[[ -f "$folder/Plotvane.scr" ]] || fail "No deleted the module"
wine reg query "$key" >/dev/null 2>&1 || fail "No removed the uninstall entry"

wine "$installed" -u &
program=$!
box=$(wine_wait_window "Quorvel Graph Screen Saver") || fail "no uninstall question"
key_to "$box" y
wait_saver "$program" || fail "status $? after Yes"
# The batch runs once the saver has ended.
_uninstalled() { [[ ! -e "$folder" && ! -e "$WINEPREFIX/drive_c/DelUS.bat" ]]; }
wine_wait_until "$wine_wait_seconds" "the uninstall batch" _uninstalled || true
[[ ! -e "$folder" ]] || fail "the module folder is still there: $(ls "$folder")"
[[ ! -e "$WINEPREFIX/drive_c/DelUS.bat" ]] || fail "the batch did not delete itself"
if wine reg query "$key" >/dev/null 2>&1; then fail "the uninstall entry is still there"; fi
echo "every mode behaved"
