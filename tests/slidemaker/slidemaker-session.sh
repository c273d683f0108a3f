# Sourced by the editor's window tests: starts slidemaker.exe from a program folder of its
# own under Wine, reads its windows through slidemaker_probe and drives them with xdotool.
#
#   editor_start EXE PROBE     copies EXE into $app (an empty program folder), starts it with
#                              $pics as the current folder, waits for the main window and
#                              moves it to the top-left corner
#   dump TITLE                 the window's controls into $dump (see slidemaker_probe)
#   control CLASS TEXT [N]     the Nth control of that class and text ("*": any) in $dump: sets X Y W H
#                              (screen), EN (enabled), VIS (visible), PARENT (parent's text)
#   click CLASS TEXT [N]       a left click in the middle of that control
#   items CLASS [N]            the items of the Nth list of that class, one per line
#   selection CLASS [N]        its selected index
#   menu N [M]                 chooses item M (default 1) of menu N of the main window's bar
#   message TITLE              waits for a message box titled TITLE, prints its text
#   close_message TITLE        clicks its OK button and waits until it is gone
#   key KEYS...                xdotool key, then a pause for the editor to follow
#   label_shows X Y TEXT [FONT HEIGHT BOLD RGB BACK]
#                              whether the screen shows TEXT as a label draws it at (X, Y)
#   winpath PATH               PATH as the editor sees it (Z:\...)

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../scripts/wine-session.sh"

main_title="Lumivox 1.0 - Studio Esempio"
app_title="Lumivox - Studio Esempio"

editor_start() {
  local exe=$1
  probe_exe=$2
  wine_test_session
  app="$work/app"
  pics="$work/pics"
  dump="$work/dump.txt"
  mkdir -p "$app" "$pics"
  cp "$exe" "$app/slidemaker.exe"
  # Wine draws the frames itself (no window manager runs), so screenshots show captions.
  wine reg add 'HKCU\Software\Wine\AppDefaults\slidemaker.exe\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  (cd "$pics" && exec wine "$app/slidemaker.exe") &
  editor=$!
  wine_wait_window "$main_title" 30 >/dev/null || fail "the main window did not open"
  sleep 1
  # Wine on a bare X server never paints a window that lies wholly inside an earlier window
  # of the program: the main window goes to the top-left corner, out of the way of the
  # dialogs centred on the screen, as a person would drag it.
  probe move "$main_title" 8 8 || fail "cannot move the main window"
  sleep 0.5
}

winpath() { winepath -w "$1" 2>/dev/null | tr -d '\r'; }

probe() { wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }

dump() {
  local tries
  for tries in 1 2 3 4 5 6 7 8 9 10; do
    probe dump "$1" >"$dump" && return 0
    sleep 0.5
  done
  fail "no window titled '$1'"
}

control() {
  local line rect
  # "|" rather than a tab between fields: read would merge the tabs around an empty text.
  line=$(awk -F'\t' -v OFS='|' -v c="$1" -v t="$2" \
    'tolower($1) == tolower(c) && (t == "*" || $2 == t) { print $3, $4, $5, $6 }' "$dump" | sed -n "${3:-1}p")
  [[ -n "$line" ]] || fail "no $1 '$2' in the window $(head -n 1 "$dump" | cut -f 2)"
  IFS='|' read -r EN VIS rect PARENT <<<"$line"
  read -r X Y W H <<<"$rect"
}

click() {
  control "$@"
  xdotool mousemove $((X + W / 2)) $((Y + H / 2)) click 1
  sleep 0.5
}

items() {
  awk -F'\t' -v c="$1" -v n="${2:-1}" '
    tolower($1) == tolower(c) { seen++; inside = seen == n; next }
    inside && $1 == "item" { print $2; next }
    inside && $1 == "selection" { next }
    { inside = 0 }' "$dump"
}

selection() {
  awk -F'\t' -v c="$1" -v n="${2:-1}" '
    tolower($1) == tolower(c) { seen++; inside = seen == n; next }
    inside && $1 == "selection" { print $2; exit }' "$dump"
}

item_height() {
  awk -F'\t' -v c="$1" -v n="${2:-1}" '
    tolower($1) == tolower(c) { seen++; inside = seen == n; next }
    inside && $1 == "selection" { print $4; exit }' "$dump"
}

# click_item CLASS N INDEX: clicks entry INDEX (0-based) of the Nth list of that class.
click_item() {
  local height
  height=$(item_height "$1" "$2")
  control "$1" "*" "$2"
  xdotool mousemove $((X + 20)) $((Y + 2 + height * $3 + height / 2)) click 1
  sleep 0.5
}

key() {
  xdotool key "$@"
  sleep 0.4
}

menu() {
  local cx cy
  dump "$main_title"
  read -r cx cy _ _ <<<"$(head -n 1 "$dump" | cut -f 4)"
  xdotool mousemove $((cx + 20)) $((cy - 9)) click 1
  sleep 0.4
  local i
  for ((i = 1; i < $1; i++)); do key Right; done
  key Down
  for ((i = 1; i < ${2:-1}; i++)); do key Down; done
  key Return
}

message() {
  local tries
  for tries in $(seq 40); do
    if probe dump "$1" >"$dump"; then
      awk -F'\t' 'tolower($1) == "static" && $2 != "" { print $2 }' "$dump"
      return 0
    fi
    sleep 0.25
  done
  fail "no message box titled '$1'"
}

close_message() {
  dump "$1"
  click Button OK
  local tries
  for tries in $(seq 20); do
    probe dump "$1" >/dev/null || return 0
    sleep 0.25
  done
  fail "the message box '$1' stayed open"
}

client_origin() {
  dump "$1"
  read -r CX CY _ _ <<<"$(head -n 1 "$dump" | cut -f 4)"
}

label_shows() {
  local x=$1 y=$2 text=$3
  probe label "$(winpath "$work/label.bmp")" "${4:-Tahoma}" "${5:-11}" "${6:-0}" "${7:-000000}" "${8:-C0C0C0}" "$text" ||
    fail "cannot draw the label '$text'"
  local size
  size=$(identify -format '%wx%h' "$work/label.bmp")
  wine_screenshot "$work/label-screen.png"
  local differing
  convert "$work/label-screen.png" -crop "${size}+${x}+${y}" +repage "$work/label-crop.png"
  differing=$(compare -metric AE "$work/label-crop.png" "$work/label.bmp" null: 2>&1 || true)
  [[ "$differing" == "0" ]]
}
