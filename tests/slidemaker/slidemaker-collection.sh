#!/usr/bin/env bash
# A real photo collection, end to end under Wine: two cards' IMG_0001.JPG of other colours,
# names with every character of code page 1252 from 0x80 up, bitmaps of every kind, an icon
# and both metafiles, listed in a project named with "’" and "–".  The editor opens the
# project and builds it: the success text, nothing left out, the archive read back member for
# member by the tests' own reader.  The built saver then runs under its long name (spaces and
# all) and under its 8.3 short name and shows every picture once per round, in list order,
# each duplicate as itself (its colour in the middle of the screen).
# Usage: slidemaker-collection.sh slidemaker.exe slidemaker_probe.exe pak_check.exe
#        picture_files.exe resource.sk SHOTS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/slidemaker-session.sh"
pak_check=$3 picture_files=$4 template=$5 shots=$6
mkdir -p "$shots"

editor_start "$1" "$2"
cp "$template" "$app/resource.sk"
interval=2

echo "== the collection"
# Every character of code page 1252 a file name may hold, from 0x80 up (the five unassigned
# codes have no character), in two names.
{ IFS= read -r high1; IFS= read -r high2; } < <(python3 -c '
chars = bytes(c for c in range(0x80, 0x100) if c not in (0x81, 0x8D, 0x8F, 0x90, 0x9D)).decode("cp1252")
print(chars[:61]); print(chars[61:])')
mkdir -p "$pics/card1" "$pics/card2" "$pics/kinds"
# Each picture one colour; the list below gives them in slideshow order.
entries=() colours=() members=()
photo() {  # FILE COLOUR [GIF]: a 200 × 150 picture of that colour
  convert -size 200x150 "xc:rgb($2)" -quality 95 "$pics/$1"
  entries+=("$(winpath "$pics/$1")")
  colours+=("${2//,/ }")
  members+=("$(basename "$1")=$pics/$1")
}
photo "card1/IMG_0001.JPG" 255,0,0
photo "Natale – 2023.jpg" 0,0,255
photo "card2/IMG_0001.JPG" 0,255,0
photo "L’estate … 5 €.jpg" 255,255,0
photo "a $high1.jpg" 0,255,255
photo "$high2.gif" 255,0,255
wine "$picture_files" "$(winpath "$pics/kinds")" | tr -d '\r' >"$work/kinds.txt" || fail "picture_files"
while read -r name r g b; do
  entries+=("$(winpath "$pics/kinds/$name")")
  colours+=("$r $g $b")
  members+=("$name=$pics/kinds/$name")
done <"$work/kinds.txt"
((${#entries[@]} == 21)) || fail "the collection holds ${#entries[@]} pictures, not 21"

# The project, as New and the picker would have left it: its list file in the code page, an
# empty entry at the end (the list file keeps them; the build does not report it).
project="Vacanze ’23 – Mare"
folder="$app/projects/$project"
mkdir -p "$folder"
{ printf '%s\r\n' "$interval" "${entries[@]}"; printf '\r\n'; } | iconv -f UTF-8 -t CP1252 >"$folder/list.dat"

echo "== Open and build"
menu 1 2
wine_wait_window "Apri progetto" >/dev/null || fail "no Open dialog"
dump "Apri progetto"
[[ "$(items ListBox | iconv -f CP1252 -t UTF-8)" == "$project" ]] || fail "the Open dialog lists: $(items ListBox)"
key Return
opened() { dump "$main_title"; [[ "$(items ListBox | wc -l)" == 22 ]]; }
wine_wait_until 20 "the project's 22 entries in the main window" opened || fail "the project did not open"
click Button "Crea screen saver"
shown=$(message "$app_title" | iconv -f CP1252 -t UTF-8)
close_message "$app_title" >/dev/null
success="Il tuo screensaver è stato creato. Copia i file $project.scr e $project.pak che trovi nella directory $(winpath "$app")\\Projects\\$project\\ e copiali nella directory di windows. Per ogni informazione visitare il sito lumivox.example"
[[ "$shown" == "$success" ]] || fail "the build said: $shown"
echo "ok: the success text, nothing left out"
wine "$pak_check" "$(winpath "$folder/$project.pak")" "list.dat=Z:$folder/list.dat" "${members[@]/=/=Z:}" \
  >"$work/pak.txt" 2>&1 || { cat "$work/pak.txt"; fail "the archive does not read back"; }
cmp -s "$template" "$folder/$project.scr" || fail "the saver is not the template"
echo "ok: the archive member for member"

echo "== the saver shows every picture once per round, in list order"
# What the middle of the screen showed, one line per change (screen-colours.py), holds one
# whole round in list order followed by the first picture again: consecutive looks at one
# colour count once, black (between windows) is passed over.
printf '%s\n' "${colours[@]}" >"$work/expected.txt"
showed_round() {
  python3 - "$work/expected.txt" "$1" <<'PY'
import sys
near = lambda a, b: all(abs(p - q) < 40 for p, q in zip(a, b))
want = [tuple(map(int, l.split())) for l in open(sys.argv[1]) if l.strip()]
seen = []
for line in open(sys.argv[2]):
    c = tuple(map(int, line.split()))
    if c != (0, 0, 0) and not (seen and near(seen[-1], c)):
        seen.append(c)
n = len(want)
for i in range(len(seen) - n):
    if all(near(seen[i + k], want[k % n]) for k in range(n + 1)):
        sys.exit(0)
sys.exit(1)
PY
}
round() {  # NAME MODULE: the saver started as MODULE shows a whole round; a key ends it
  local log="$work/showed-$1.txt" program watcher window
  : >"$log"
  python3 "$here/screen-colours.py" 512 384 "$log" &
  watcher=$!
  wine "$2" /s &
  program=$!
  window=$(wine_wait_window "Presentazione" 30) || fail "no saver window ($1)"
  if ! wine_wait_until $((interval * (${#colours[@]} * 2 + 2) + 20)) "a whole round ($1)" showed_round "$log"; then
    kill "$watcher"
    wine_screenshot "$shots/collection-$1.png"
    fail "the saver ($1) did not show the pictures in list order; it showed: $(tr '\n' ',' <"$log")"
  fi
  kill "$watcher"
  wine_screenshot "$shots/collection-$1.png"
  xdotool key --window "$window" space
  wine_wait_exit "$program" 20 || fail "a key did not end the saver ($1)"
  echo "ok: $1"
}
round long "$(winpath "$folder/$project.scr")"
short=$(probe short "$(winpath "$folder/$project.scr")")
[[ "$short" == *"~"* ]] || fail "no short name: $short"
echo "short name: $short"
round short "$short"
echo "the collection went through"
