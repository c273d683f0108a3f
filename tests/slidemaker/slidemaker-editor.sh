#!/usr/bin/env bash
# The editor used as a person uses it, in one run of slidemaker.exe under Wine: start-up in an
# empty program folder, New, the image picker, the main window's list and interval, Save,
# the build, Open, the about box.  Each step checks what the windows show (read across
# processes) and what lands on disk.  Screenshots go to the folder given.
# Usage: slidemaker-editor.sh slidemaker.exe slidemaker_probe.exe pak_check.exe SHOTS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/slidemaker-session.sh"
pak_check=$3
shots=$4
mkdir -p "$shots"

editor_start "$1" "$2"
# A window just shown may not have painted yet.
shot() { wine_wait_screen_settled || fail "the screen keeps changing"; wine_screenshot "$shots/$1.png"; }
# expect WHAT WANTED GOT
expect() {
  [[ "$3" == "$2" ]] || { printf 'expected %s:\n%s\ngot:\n%s\n' "$1" "$2" "$3" >&2; exit 1; }
  echo "ok: $1"
}
enabled() { control "$@"; echo "$EN"; }
crlf() { printf '%s\r\n' "$@"; }

# Pictures of our own: two JPEG files, an animated GIF (blue, then yellow), a still GIF, and
# files no JPEG filter lists.
convert -size 64x48 xc:'#e00000' -quality 95 "$pics/a.jpg"
convert -size 64x48 xc:'#00b000' -quality 95 "$pics/b.jpg"
convert -size 64x48 xc:'#e00000' "$pics/c.jpeg"
convert -delay 30 -size 40x30 xc:blue xc:yellow -loop 0 "$pics/anim.gif"
convert -size 40x30 xc:white "$pics/still.gif"
convert -size 8x8 xc:gray "$pics/d.bmp"
echo text >"$pics/note.txt"
printf 'template of the test %s' "$RANDOM" >"$app/resource.sk"
a=$(winpath "$pics/a.jpg") anim=$(winpath "$pics/anim.gif")

echo "== start-up"
[[ -d "$app/projects" ]] || fail "no projects folder: $(ls "$app")"
shot main-start
dump "$main_title"
for button in Aggiungi Elimina Anteprima "Crea screen saver"; do
  shows "$button disabled" 0 enabled Button "$button"
done
shows "up disabled" 0 enabled Button "" 1
shows "down disabled" 0 enabled Button "" 2
shows "interval field disabled" 0 enabled Edit 5
shows "Uscita enabled" 1 enabled Button Uscita
client_origin "$main_title"
wait_label $((CX + 104)) $((CY + 6)) "[Nessun progetto corrente]" || fail "the label does not read [Nessun progetto corrente]"
echo "ok: [Nessun progetto corrente]"

echo "== New"
menu 1 1
wine_wait_window "Nuovo Progetto" >/dev/null || fail "no New dialog"
shot new-dialog
dump "Nuovo Progetto"
shows "OK disabled at first" 0 enabled Button Ok
click Edit "*"
key Return
expect "Enter in an empty field" "Project name already exist" "$(message Lumivox)"
close_message Lumivox
dump "Nuovo Progetto"
click Edit "*"
xdotool type --delay 50 'a\b'
dump "Nuovo Progetto"
shows "OK enabled by a name" 1 enabled Button Ok
key Return
shows "a name with a separator" 'Il nome del progetto non può contenere i caratteri \ / : * ? " < > | né caratteri di controllo' \
  message_utf8 Lumivox
close_message Lumivox
[[ ! -e "$app/projects/a" ]] || fail "the refused name created $(ls "$app/projects")"
dump "Nuovo Progetto"
click Edit "*"
key End BackSpace BackSpace BackSpace
xdotool type --delay 50 'Mare'
key Return
wine_wait_file "$app/projects/Mare/list.dat" || fail "no list file for Mare"
shows "the new list file" "$(crlf 5)" cat "$app/projects/Mare/list.dat"
dump "$main_title"
shows "Aggiungi enabled" 1 enabled Button Aggiungi
shows "Crea enabled" 1 enabled Button "Crea screen saver"
shows "interval field enabled" 1 enabled Edit 5
wait_label $((CX + 104)) $((CY + 6)) "Mare" || fail "the label does not name the project"
menu 1 1
wine_wait_window "Nuovo Progetto" >/dev/null || fail "no New dialog the second time"
dump "Nuovo Progetto"
click Edit "*"
xdotool type --delay 50 'MARE'
key Return
expect "the same name in capitals" "Project name already exist" "$(message Lumivox)"
close_message Lumivox
key Escape
wine_wait_gone "Nuovo Progetto" || fail "Escape left the New dialog open"

echo "== image picker"
dump "$main_title"
click Button Aggiungi
wine_wait_window "Apri Immagine" >/dev/null || fail "no picker"
dump "Apri Immagine"
shows "the JPEG filter first" "$(printf '%s\n' "JPEG (*.jpg)" "GIF (*.gif)" "BMP (*.bmp)" "ICO (*.ico)" "EMF (*.emf)" "WMF (*.wmf)")" \
  items ComboBox 1
shows "JPEG selected" 0 selection ComboBox 1
shows "only .jpg files" "$(printf '%s\n' a.jpg b.jpg)" items ListBox 1
control ToolkitControl "*"   # the preview box
px=$((X + 5)) py=$((Y + 6))
# preview_shows R-RANGE G-RANGE B-RANGE: whether the middle of the preview box is that colour.
preview_shows() {
  wine_screenshot "$work/s.png"
  read -r r g b <<<"$(wine_pixel "$work/s.png" $((px + 88)) $((py + 75)))"
  (($1)) && (($2)) && (($3))
}
click_item ListBox 1 0
wine_wait_until "$wine_wait_seconds" "a red preview" preview_shows 'r > 180' 'g < 70' 'b < 70' ||
  fail "the JPEG preview shows $r $g $b"
echo "ok: the JPEG preview"
click Button Aggiungi
click Button Aggiungi
click ComboBox "*"
key Down
key Return
dump "Apri Immagine"
shows "the GIF filter" "$(printf '%s\n' anim.gif still.gif)" items ListBox 1
click_item ListBox 1 0
# The preview turns blue, then yellow: the GIF plays.
wine_wait_until "$wine_wait_seconds" "a blue preview" preview_shows 'r < 70' 'g < 70' 'b > 180' ||
  fail "the GIF preview shows $r $g $b, not its first frame"
wine_wait_until "$wine_wait_seconds" "a yellow preview" preview_shows 'r > 180' 'g > 180' 'b < 70' ||
  fail "the GIF preview does not animate"
cp "$work/s.png" "$shots/picker-gif.png"
echo "ok: the GIF animates in the preview"
click Button Aggiungi
click ComboBox "*"
key Up
key Return
dump "Apri Immagine"
shows "the JPEG filter again" "$(printf '%s\n' a.jpg b.jpg)" items ListBox 1
click_item ListBox 1 1
wine_wait_until "$wine_wait_seconds" "a green preview" preview_shows 'r < 70' 'g > 140' 'b < 70' ||
  fail "the JPEG after the GIF shows $r $g $b"
cp "$work/s.png" "$shots/picker.png"
echo "ok: a JPEG replaces the GIF"
dump "Apri Immagine"
picker_state() { grep -v '^window' "$dump" | cut -f 1,2,6 --complement; }
before=$(picker_state)
click Button Chiudi
wine_wait_gone "Apri Immagine" || fail "Chiudi left the picker open"
dump "$main_title"
shows "Aggiungi twice, then the GIF" "$(printf '%s\n' "$a" "$a" "$anim")" items ListBox
click Button Aggiungi
wine_wait_window "Apri Immagine" >/dev/null || fail "the picker did not open again"
dump "Apri Immagine"
shows "folder, mask and selection kept" "$before" picker_state
shows "the selection kept" 1 selection ListBox 1
click Button Chiudi
wine_wait_gone "Apri Immagine" || fail "Chiudi left the picker open"

echo "== the list and the interval"
dump "$main_title"
list_is() { dump "$main_title"; shows "$1" "$(printf '%s\n' "${@:2}")" items ListBox; }
click Button "" 1
click Button "" 2
click Button Elimina
# The selection made after them shows that the three clicks have been handled.
click_item ListBox 1 2
shows "a selection after them" 2 selection ListBox
list_is "arrows and Elimina without a selection" "$a" "$a" "$anim"
click Button "" 2
click Button "" 1
list_is "down on the last entry stays, then up" "$a" "$anim" "$a"
shows "the selection follows" 1 selection ListBox
click Button "" 1
click Button "" 1
list_is "up twice, the second at the top" "$anim" "$a" "$a"
click Button "" 2
list_is "down" "$a" "$anim" "$a"
click_item ListBox 1 2
click Button Elimina
list_is "Elimina" "$a" "$anim"
click Edit "*"
key End shift+Home
xdotool type --delay 50 12
dump "$main_title"
shows "typing over the selection" 12 edit_text
key End BackSpace BackSpace
shows "deleting the last digit" 5 edit_text
key End shift+Home
xdotool type 1
shows "the new interval" 1 edit_text
menu 1 3
shows "Save" "$(crlf 1 "$a" "$anim")" cat "$app/projects/Mare/list.dat"
shot main-project

echo "== build"
folder="$(winpath "$app")\\Projects\\Mare"
build() {
  dump "$main_title"
  click Button "Crea screen saver"
  message "$app_title" | iconv -f CP1252 -t UTF-8
  close_message "$app_title" >/dev/null
}
success="Il tuo screensaver è stato creato. Copia i file Mare.scr e Mare.pak che trovi nella directory $folder\\ e copiali nella directory di windows. Per ogni informazione visitare il sito lumivox.example"
expect "the success message" "$success" "$(build)"
members=("list.dat=$app/projects/Mare/list.dat" "a.jpg=$pics/a.jpg" "anim.gif=$pics/anim.gif")
wine "$pak_check" "$(winpath "$app/projects/Mare/Mare.pak")" "${members[@]/=/=Z:}" >"$work/pak.txt" 2>&1 ||
  { cat "$work/pak.txt"; fail "the archive does not read back"; }
cmp -s "$app/resource.sk" "$app/projects/Mare/Mare.scr" || fail "Mare.scr differs from resource.sk"
echo "ok: archive and saver"
printf 'another template' >"$app/resource.sk"
expect "building again" "$success" "$(build)"
cmp -s "$app/resource.sk" "$app/projects/Mare/Mare.scr" || fail "the second build kept the old Mare.scr"
[[ ! -e "$app/projects/Mare/resource.sk" ]] || fail "the copy was not renamed"
mv "$app/resource.sk" "$work/resource.sk"
rm -f "$app/projects/Mare/list.dat"
expect "without resource.sk" "Errore durante il salvataggio del progetto corrente" "$(build)"
[[ -f "$app/projects/Mare/list.dat" && -f "$app/projects/Mare/Mare.pak" ]] || fail "list file or archive missing"
[[ ! -e "$app/projects/Mare/Mare.scr" ]] || fail "a saver without a template"
echo "ok: list file and archive, no saver"
mv "$work/resource.sk" "$app/resource.sk"
mv "$pics/anim.gif" "$work/anim.gif"
expect "an unreadable image" "$success    Questi file non sono stati inseriti nell'archivio Mare.pak:    $anim (il file non si può leggere)" \
  "$(build)"
mv "$work/anim.gif" "$pics/anim.gif"

echo "== Open"
# Wine reports names starting with a dot as hidden.
mkdir -p "$app/projects/beta" "$app/projects/Alpha" "$app/projects/gamma" "$app/projects/vuoto" "$app/projects/.nascosto"
crlf " 3 " 'C:\manca.bmp' >"$app/projects/Alpha/list.dat"
menu 1 2
wine_wait_window "Apri progetto" >/dev/null || fail "no Open dialog"
shot open-dialog
dump "Apri progetto"
shows "the projects, sorted" "$(printf '%s\n' Alpha beta gamma Mare vuoto)" items ListBox
shows "the first selected" 0 selection ListBox
key Return
wine_wait_gone "Apri progetto" || fail "Enter left the Open dialog open"
dump "$main_title"
shows "the opened list" 'C:\manca.bmp' items ListBox
shows "the opened interval" 3 edit_text
wait_label $((CX + 104)) $((CY + 6)) "Alpha" || fail "the label does not name Alpha"
menu 1 2
wine_wait_window "Apri progetto" >/dev/null || fail "no Open dialog the second time"
key End
key Return
shows "a project without a list file" "Il progetto è vuoto" message_utf8 "$app_title"
close_message "$app_title"
wine_wait_file "$app/projects/vuoto/list.dat" || fail "no list file for vuoto"
shows "its new list file" "$(crlf 5)" cat "$app/projects/vuoto/list.dat"
dump "$main_title"
shows "its empty list" "" items ListBox

echo "== about box"
menu 2 1
wine_wait_window "Informazioni su..." >/dev/null || fail "no about box"
shot about

echo "== Uscita"
key alt+F4
wine_wait_gone "Informazioni su..." || fail "Alt+F4 left the about box open"
dump "$main_title"
click Button Uscita
wine_wait_exit "$editor" || fail "Uscita did not end the program"
echo "the editor behaved; screenshots in $shots"
