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
shot() { sleep 0.8; wine_screenshot "$shots/$1.png"; }
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
  expect "$button disabled" 0 "$(enabled Button "$button")"
done
expect "up disabled" 0 "$(enabled Button "" 1)"
expect "down disabled" 0 "$(enabled Button "" 2)"
expect "interval field disabled" 0 "$(enabled Edit 5)"
expect "Uscita enabled" 1 "$(enabled Button Uscita)"
client_origin "$main_title"
label_shows $((CX + 104)) $((CY + 6)) "[Nessun progetto corrente]" || fail "the label does not read [Nessun progetto corrente]"
echo "ok: [Nessun progetto corrente]"

echo "== New"
menu 1 1
wine_wait_window "Nuovo Progetto" >/dev/null || fail "no New dialog"
shot new-dialog
dump "Nuovo Progetto"
expect "OK disabled at first" 0 "$(enabled Button Ok)"
click Edit "*"
key Return
expect "Enter in an empty field" "Project name already exist" "$(message Lumivox)"
close_message Lumivox
dump "Nuovo Progetto"
click Edit "*"
xdotool type --delay 50 'a\b'
sleep 0.3
dump "Nuovo Progetto"
expect "OK enabled by a name" 1 "$(enabled Button Ok)"
key Return
expect "a name with a separator" 'Il nome del progetto non può contenere i caratteri \ / : * ? " < > | né caratteri di controllo' \
  "$(message Lumivox | iconv -f CP1252 -t UTF-8)"
close_message Lumivox
[[ ! -e "$app/projects/a" ]] || fail "the refused name created $(ls "$app/projects")"
dump "Nuovo Progetto"
click Edit "*"
key End BackSpace BackSpace BackSpace
xdotool type --delay 50 'Mare'
key Return
for _ in $(seq 20); do [[ -f "$app/projects/Mare/list.dat" ]] && break; sleep 0.25; done
expect "the new list file" "$(crlf 5)" "$(cat "$app/projects/Mare/list.dat")"
sleep 0.5
dump "$main_title"
expect "Aggiungi enabled" 1 "$(enabled Button Aggiungi)"
expect "Crea enabled" 1 "$(enabled Button "Crea screen saver")"
expect "interval field enabled" 1 "$(enabled Edit 5)"
label_shows $((CX + 104)) $((CY + 6)) "Mare" || fail "the label does not name the project"
menu 1 1
wine_wait_window "Nuovo Progetto" >/dev/null || fail "no New dialog the second time"
dump "Nuovo Progetto"
click Edit "*"
xdotool type --delay 50 'MARE'
key Return
expect "the same name in capitals" "Project name already exist" "$(message Lumivox)"
close_message Lumivox
key Escape

echo "== image picker"
dump "$main_title"
click Button Aggiungi
wine_wait_window "Apri Immagine" >/dev/null || fail "no picker"
dump "Apri Immagine"
expect "the JPEG filter first" "$(printf '%s\n' "JPEG (*.jpg)" "GIF (*.gif)" "BMP (*.bmp)" "ICO (*.ico)" "EMF (*.emf)" "WMF (*.wmf)")" \
  "$(items ComboBox 1)"
expect "JPEG selected" 0 "$(selection ComboBox 1)"
expect "only .jpg files" "$(printf '%s\n' a.jpg b.jpg)" "$(items ListBox 1)"
control ToolkitControl "*"   # the preview box
px=$((X + 5)) py=$((Y + 6))
click_item ListBox 1 0
wine_screenshot "$work/s.png"
read -r r g b <<<"$(wine_pixel "$work/s.png" $((px + 88)) $((py + 75)))"
((r > 180 && g < 70 && b < 70)) || fail "the JPEG preview shows $r $g $b"
echo "ok: the JPEG preview"
click Button Aggiungi
click Button Aggiungi
click ComboBox "*"
key Down
key Return
dump "Apri Immagine"
expect "the GIF filter" "$(printf '%s\n' anim.gif still.gif)" "$(items ListBox 1)"
click_item ListBox 1 0
changed=no
convert "$work/s.png" -crop 176x150+$px+$py +repage "$work/panel-0.png"
for i in $(seq 20); do
  wine_screenshot "$work/s.png"
  convert "$work/s.png" -crop 176x150+$px+$py +repage "$work/panel-$i.png"
  if [[ $i -gt 1 ]] && [[ $(compare -metric AE "$work/panel-$i.png" "$work/panel-$((i - 1)).png" null: 2>&1 || true) != 0 ]]; then
    changed=yes
    break
  fi
  sleep 0.15
done
[[ $changed == yes ]] || fail "the GIF preview does not animate"
cp "$work/s.png" "$shots/picker-gif.png"
echo "ok: the GIF animates in the preview"
click Button Aggiungi
click ComboBox "*"
key Up
key Return
dump "Apri Immagine"
click_item ListBox 1 1
wine_screenshot "$work/s.png"
read -r r g b <<<"$(wine_pixel "$work/s.png" $((px + 88)) $((py + 75)))"
((g > 140 && r < 70 && b < 70)) || fail "the JPEG after the GIF shows $r $g $b"
cp "$work/s.png" "$shots/picker.png"
echo "ok: a JPEG replaces the GIF"
dump "Apri Immagine"
before=$(grep -v '^window' "$dump" | cut -f 1,2,6 --complement)
click Button Chiudi
sleep 0.5
probe dump "Apri Immagine" >/dev/null && fail "Chiudi left the picker open"
dump "$main_title"
expect "Aggiungi twice, then the GIF" "$(printf '%s\n' "$a" "$a" "$anim")" "$(items ListBox)"
click Button Aggiungi
wine_wait_window "Apri Immagine" >/dev/null || fail "the picker did not open again"
dump "Apri Immagine"
expect "folder, mask and selection kept" "$before" "$(grep -v '^window' "$dump" | cut -f 1,2,6 --complement)"
expect "the selection kept" 1 "$(selection ListBox 1)"
click Button Chiudi

echo "== the list and the interval"
dump "$main_title"
list_is() { dump "$main_title"; expect "$1" "$(printf '%s\n' "${@:2}")" "$(items ListBox)"; }
click Button "" 1
click Button "" 2
click Button Elimina
list_is "arrows and Elimina without a selection" "$a" "$a" "$anim"
click_item ListBox 1 2
click Button "" 2
list_is "down on the last entry" "$a" "$a" "$anim"
click Button "" 1
list_is "up" "$a" "$anim" "$a"
expect "the selection follows" 1 "$(selection ListBox)"
click Button "" 1
click Button "" 1
list_is "up twice, the second at the top" "$anim" "$a" "$a"
click Button "" 2
list_is "down" "$a" "$anim" "$a"
click_item ListBox 1 2
click Button Elimina
list_is "Elimina" "$a" "$anim"
click Edit "*"
key End BackSpace
dump "$main_title"
control Edit "*"
expect "deleting the last digit" 5 "$(grep -P '^Edit\t' "$dump" | cut -f 2)"
key End shift+Home
xdotool type --delay 50 12
dump "$main_title"
expect "typing over the selection" 12 "$(grep -P '^Edit\t' "$dump" | cut -f 2)"
key End BackSpace BackSpace
key End shift+Home
xdotool type 1
sleep 0.3
menu 1 3
sleep 0.5
expect "Save" "$(crlf 1 "$a" "$anim")" "$(cat "$app/projects/Mare/list.dat")"
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
expect "the projects, sorted" "$(printf '%s\n' Alpha beta gamma Mare vuoto)" "$(items ListBox)"
expect "the first selected" 0 "$(selection ListBox)"
key Return
sleep 0.5
dump "$main_title"
expect "the opened list" 'C:\manca.bmp' "$(items ListBox)"
expect "the opened interval" 3 "$(grep -P '^Edit\t' "$dump" | cut -f 2)"
label_shows $((CX + 104)) $((CY + 6)) "Alpha" || fail "the label does not name Alpha"
menu 1 2
wine_wait_window "Apri progetto" >/dev/null || fail "no Open dialog the second time"
key End
key Return
expect "a project without a list file" "Il progetto è vuoto" "$(message "$app_title" | iconv -f CP1252 -t UTF-8)"
close_message "$app_title"
for _ in $(seq 20); do [[ -f "$app/projects/vuoto/list.dat" ]] && break; sleep 0.25; done
expect "its new list file" "$(crlf 5)" "$(cat "$app/projects/vuoto/list.dat")"
dump "$main_title"
expect "its empty list" "" "$(items ListBox)"

echo "== about box"
menu 2 1
wine_wait_window "Informazioni su..." >/dev/null || fail "no about box"
sleep 0.5
shot about

echo "== Uscita"
key alt+F4
dump "$main_title"
click Button Uscita
for _ in $(seq 50); do kill -0 "$editor" 2>/dev/null || break; sleep 0.1; done
kill -0 "$editor" 2>/dev/null && fail "Uscita did not end the program"
echo "the editor behaved; screenshots in $shots"
