# Sourced by the editor's window tests: starts slidemaker.exe from a program folder of its
# own under Wine, reads its windows through slidemaker_probe and drives them with xdotool.
#
#   editor_start EXE PROBE     copies EXE into $app (an empty program folder), starts it with
#                              $pics as the current folder, waits for the main window and
#                              moves it to the top-left corner
#   dump TITLE                 the window's controls into $dump (see slidemaker_probe), once the
#                              window is there
#   shows WHAT WANTED CMD...   until CMD, run on a fresh dump of the window dumped last, prints
#                              WANTED ("ok: WHAT"); fails showing what it printed last
#   control CLASS TEXT [N]     the Nth control of that class and text ("*": any) in $dump: sets X Y W H
#                              (screen), EN (enabled), VIS (visible), PARENT (parent's text)
#   click CLASS TEXT [N]       a left click in the middle of that control
#   items CLASS [N]            the items of the Nth list of that class, one per line
#   selection CLASS [N]        its selected index
#   menu N [M]                 chooses item M (default 1) of menu N of the main window's bar
#   message TITLE              waits for a message box titled TITLE, prints its text
#   close_message TITLE        clicks its OK button and waits until it is gone
#   key KEYS...                xdotool key
#   edit_text                  the text of the first edit field in $dump
#   label_shows X Y TEXT [FONT HEIGHT BOLD RGB BACK]
#                              whether the screen shows TEXT as a label draws it at (X, Y)
#   wait_label X Y TEXT ...    until it does
#
# Input is never paced by pauses: each step waits for the effect it checks (a window, a
# control's text or state, a file, a pixel), and a check that something stayed as it was
# comes after a later input whose effect shows that the earlier one was handled.
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
  wine_wait_window "$main_title" >/dev/null || fail "the main window did not open"
  # Wine on a bare X server never paints a window that lies wholly inside an earlier window
  # of the program: the main window goes to the top-left corner, out of the way of the
  # dialogs centred on the screen, as a person would drag it.
  wine_wait_until "$wine_wait_seconds" "the main window to move" _main_window_at 8 8 ||
    fail "cannot move the main window"
  wine_wait_screen_settled || fail "the main window keeps changing"
}

_main_window_at() {
  probe move "$main_title" "$1" "$2" || return 1
  probe dump "$main_title" >"$dump" || return 1
  [[ "$(head -n 1 "$dump" | cut -f 3 | cut -d ' ' -f 1,2)" == "$1 $2" ]]
}

winpath() { winepath -w "$1" 2>/dev/null | tr -d '\r'; }

probe() { wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }

_dump_once() { probe dump "$1" >"$dump"; }
dump() {
  dumped=$1
  wine_wait_until "$wine_wait_seconds" "the window '$1'" _dump_once "$1" || fail "no window titled '$1'"
}

shows() {
  local what=$1 wanted=$2 got end
  shift 2
  end=$((${EPOCHREALTIME/./} + wine_wait_seconds * 1000000))
  while :; do
    got=$("$@" 2>/dev/null) || true
    if [[ "$got" == "$wanted" ]]; then
      echo "ok: $what"
      return 0
    fi
    if ((${EPOCHREALTIME/./} >= end)); then
      printf 'expected %s:\n%s\ngot:\n%s\n' "$what" "$wanted" "$got" >&2
      exit 1
    fi
    sleep 0.1
    probe dump "$dumped" >"$dump" || true
  done
}

edit_text() { grep -P '^Edit\t' "$dump" | cut -f 2; }

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
}

key() { xdotool key "$@"; }

menu() {
  local cx cy
  dump "$main_title"
  read -r cx cy _ _ <<<"$(head -n 1 "$dump" | cut -f 4)"
  xdotool mousemove $((cx + 20)) $((cy - 9)) click 1
  local i
  for ((i = 1; i < $1; i++)); do key Right; done
  key Down
  for ((i = 1; i < ${2:-1}; i++)); do key Down; done
  key Return
}

message() {
  dump "$1"
  awk -F'\t' 'tolower($1) == "static" && $2 != "" { print $2 }' "$dump"
}
message_utf8() { message "$1" | iconv -f CP1252 -t UTF-8; }

_window_closed() { ! probe dump "$1" >/dev/null; }
close_message() {
  dump "$1"
  click Button OK
  wine_wait_until "$wine_wait_seconds" "the message box '$1' to close" _window_closed "$1" ||
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

wait_label() {
  wine_wait_until "$wine_wait_seconds" "the label '$3'" label_shows "$@"
}
