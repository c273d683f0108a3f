#!/usr/bin/env bash
# The slideshow saver's options as a user meets them: the settings dialog (/c) driven through
# its controls, each check box kept per saver, "Annulla" keeping nothing; then each option at
# work full screen: random rounds, the cross-fade's mixed colours (and none without it), a
# small picture filling the screen's height only when asked; and a key ending the saver while
# a 48-megapixel progressive JPEG decodes.
# Usage: slideshow-options.sh resource.sk pak.exe window_texts.exe SHOTS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

template=$1 pak=$2 texts=$3 shots=$4
mkdir -p "$shots"
wine_test_session
cd "$work"

key='HKCU\Software\Studio Esempio\Lumivox\Screen savers'
dialog="Presentazione - Impostazioni"
for colour in red lime blue yellow; do convert -size 320x240 "xc:$colour" "BMP3:$colour.bmp"; done
convert -size 60x60 xc:cyan BMP3:small.bmp

# make NAME INTERVAL FILE...: NAME.pak with list.dat naming the files, and NAME.scr beside it.
make_saver() {
  local name=$1 interval=$2
  shift 2
  { printf '%s\r\n' "$interval"; for f in "$@"; do printf 'C:\\Foto\\%s\r\n' "$f"; done; } >list.dat
  rm -f "$name.pak"
  wine "$pak" create "$name.pak" list.dat "$@" >/dev/null || fail "pak create $name"
  cp "$template" "$name.scr"
}
dialog_texts() { wine "$texts" "$dialog" | tr -d '\r'; }
shows() { dialog_texts | grep -qxF "$1"; }
click() { wine "$texts" "$dialog" --click "$1" || fail "no '$1' in the dialog"; }
option() { wine reg query "$key\\$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v { print $3 }'; }
set_option() { wine reg add "$key\\$1" /v "$2" /t REG_DWORD /d 1 /f >/dev/null || fail "reg add $1 $2"; }
# The centre pixel of the screen now, "R G B".
centre() {
  xwd -root -silent -display "$DISPLAY" | convert xwd:- -crop 1x1+512+384 -depth 8 txt:- |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}
# The name of a pure colour (each channel within 40 of 0 or 255), or "mixed".
colour_name() {
  local r g b
  read -r r g b <<<"$1"
  name_of() { (($1 < 40)) && echo 0 || { (($1 > 215)) && echo 1 || echo x; }; }
  case "$(name_of "$r")$(name_of "$g")$(name_of "$b")" in
    100) echo red ;; 010) echo lime ;; 001) echo blue ;; 110) echo yellow ;; 011) echo cyan ;;
    000) echo black ;; *) echo mixed ;;
  esac
}
start_saver() {
  wine "$1.scr" /s &
  program=$!
  window=$(wine_wait_window "Presentazione") || fail "no full-screen window for $1"
}
end_saver() {
  xdotool key --window "$window" space
  wine_wait_exit "$program" || fail "a key did not end $1"
  wait "$program" || true
}

echo "== the settings dialog: Annulla keeps nothing, OK keeps the boxes of this saver only"
# The prefix outlives a run: start without any saver's options.
wine reg delete "$key" /f >/dev/null 2>&1 || true
make_saver Opzioni 2 red.bmp blue.bmp
make_saver Altro 2 red.bmp blue.bmp
wine Opzioni.scr /c &
program=$!
wine_wait_window "$dialog" >/dev/null || fail "no settings dialog"
for want in "Opzioni.pak" "2 secondi" "2" "[ ] Ordine casuale" "[ ] Dissolvenza" \
            "[ ] Ingrandisci le immagini piccole" "OK" "Annulla"; do
  shows "$want" || fail "the dialog does not show '$want': $(dialog_texts)"
done
click "Ordine casuale"
click "Ingrandisci le immagini piccole"
wine_wait_until 20 "both boxes ticked" shows "[x] Ingrandisci le immagini piccole" || fail "no tick"
shows "[x] Ordine casuale" || fail "Ordine casuale not ticked"
wine_screenshot "$shots/slideshow-options-dialog.png"
click "Annulla"
wine_wait_exit "$program" || fail "Annulla did not close the dialog"
wine reg query "$key\\Opzioni" >/dev/null 2>&1 && fail "Annulla saved settings"

wine Opzioni.scr /c &
program=$!
wine_wait_window "$dialog" >/dev/null || fail "no settings dialog"
shows "[ ] Ordine casuale" || fail "the cancelled tick came back"
click "Dissolvenza"
wine_wait_until 20 "Dissolvenza ticked" shows "[x] Dissolvenza" || fail "no tick"
click "OK"
wine_wait_exit "$program" || fail "OK did not close the dialog"
[[ "$(option Opzioni CrossFade) $(option Opzioni RandomOrder) $(option Opzioni EnlargeSmall)" == "0x1 0x0 0x0" ]] ||
  fail "OK saved $(wine reg query "$key\\Opzioni" | tr -d '\r')"

wine Altro.scr /c &
program=$!
wine_wait_window "$dialog" >/dev/null || fail "no settings dialog"
shows "[ ] Dissolvenza" || fail "another saver shows this saver's option"
shows "Altro.pak" || fail "not Altro's archive"
click "Annulla"
wine_wait_exit "$program" || fail "Annulla did not close the dialog"
wine Opzioni.scr /c &
program=$!
wine_wait_window "$dialog" >/dev/null || fail "no settings dialog"
shows "[x] Dissolvenza" || fail "the saved option is not shown again"
xdotool key --window "$(wine_wait_window "$dialog")" Escape
wine_wait_exit "$program" || fail "Escape did not close the dialog"

echo "== Dissolvenza: mixed colours between red and blue; a cut without it"
# sample_changes NAME: runs the saver from red through four changes between red and blue
# (a screenshot takes about half a second here, so one fade may fall between two); prints
# the colour names seen.
sample_changes() {
  start_saver "$1"
  wine_wait_pixel 512 384 "255 0 0" 60 40 || fail "$1 never showed red"
  local seen=() name last=red changes=0
  for _ in $(seq 400); do
    name=$(colour_name "$(centre)")
    seen+=("$name")
    if [[ ($name == red || $name == blue) && $name != "$last" ]]; then
      last=$name
      ((++changes < 4)) || break
    fi
  done
  end_saver "$1"
  echo "${seen[*]}"
}
faded=$(sample_changes Opzioni)
[[ $faded == *blue* ]] || fail "the fade never reached blue: $faded"
[[ $faded == *mixed* ]] || fail "no mixed colour during the fade: $faded"
make_saver Taglio 2 red.bmp blue.bmp
cut=$(sample_changes Taglio)
[[ $cut == *blue* ]] || fail "never blue: $cut"
[[ $cut != *mixed* ]] || fail "mixed colours without Dissolvenza: $cut"

echo "== Ingrandisci: a 60 x 60 picture fills the height only with the option"
make_saver Piccola 0 small.bmp
start_saver Piccola
wine_wait_pixel 512 384 "0 255 255" 60 || fail "the small picture is not in the middle"
wine_screenshot "$shots/slideshow-small.png"
[[ $(wine_pixel "$shots/slideshow-small.png" 512 10) == "0 0 0" ]] || fail "the small picture was enlarged"
[[ $(wine_pixel "$shots/slideshow-small.png" 541 384) == "0 255 255" ]] || fail "not 60 wide, centred"
[[ $(wine_pixel "$shots/slideshow-small.png" 543 384) == "0 0 0" ]] || fail "not 60 wide, centred"
end_saver Piccola
make_saver Grande 0 small.bmp
set_option Grande EnlargeSmall
start_saver Grande
wine_wait_pixel 512 2 "0 255 255" 60 || fail "the small picture does not fill the height"
wine_screenshot "$shots/slideshow-enlarged.png"
for probe in "512 765" "130 384" "893 384"; do
  # shellcheck disable=SC2086
  [[ $(wine_pixel "$shots/slideshow-enlarged.png" $probe) == "0 255 255" ]] || fail "($probe) is not the enlarged picture"
done
for probe in "125 384" "898 384"; do
  # shellcheck disable=SC2086
  [[ $(wine_pixel "$shots/slideshow-enlarged.png" $probe) == "0 0 0" ]] || fail "($probe) is not black beside it"
done
end_saver Grande

echo "== Ordine casuale: each round of four a new permutation, no colour twice in a row"
make_saver Casuale 2 red.bmp lime.bmp blue.bmp yellow.bmp
set_option Casuale RandomOrder
start_saver Casuale
order=()
last=""
for _ in $(seq 2000); do
  name=$(colour_name "$(centre)")
  if [[ $name != black && $name != mixed && $name != "$last" ]]; then
    order+=("$name")
    last=$name
  fi
  ((${#order[@]} < 8)) || break
done
end_saver Casuale
echo "shown: ${order[*]}"
((${#order[@]} == 8)) || fail "saw only ${order[*]}"
for round in 0 4; do
  sorted=$(printf '%s\n' "${order[@]:round:4}" | sort | tr '\n' ' ')
  [[ $sorted == "blue lime red yellow " ]] || fail "round ${order[*]:round:4} is not every picture once"
done

echo "== a key while a 48-megapixel progressive JPEG decodes"
# What ending costs with nothing to wait for (Wine's own teardown of the full-screen window
# and the process), so that the check below holds on a slow machine as on a fast one.
make_saver Piccola 1 red.bmp blue.bmp
start_saver Piccola
wine_wait_pixel 512 384 "255 0 0" 60 40 || fail "the small saver's first picture did not show"
xdotool key --window "$window" space
pressed=$EPOCHREALTIME
wine_wait_exit "$program" || fail "a key did not end the small saver"
idle=$(echo "$EPOCHREALTIME - $pressed" | bc)
wait "$program" || true
# Noise makes the slowest file of its size to decode; made here, not kept.
{ printf 'P6\n8000 6000\n255\n'; head -c 144000000 /dev/urandom; } | cjpeg -progressive -quality 85 >big1.jpg
cp big1.jpg big2.jpg
make_saver Grossa 1 red.bmp big1.jpg big2.jpg
rm big1.jpg big2.jpg
start_saver Grossa
wine_wait_pixel 512 384 "255 0 0" 60 40 || fail "the first picture did not show"
red_at=$EPOCHREALTIME
# The first big photo shows when its decode is done; the second one's decode starts then.
wine_wait_until 240 "the big photo" sh -c "! xwd -root -silent -display '$DISPLAY' | convert xwd:- -crop 1x1+512+384 -depth 8 txt:- | grep -q '(255,0,0)'" ||
  fail "the big photo never showed"
decode=$(echo "$EPOCHREALTIME - $red_at" | bc)
xdotool key --window "$window" space
pressed=$EPOCHREALTIME
wine_wait_exit "$program" || fail "a key did not end the saver during a decode"
ended=$(echo "$EPOCHREALTIME - $pressed" | bc)
wait "$program" || true
echo "decode of one photo ${decode}s; key to the end of the saver ${ended}s (${idle}s with no decode)"
# A saver that waited for the decode would need the decode's time on top of the teardown.
# Doubled rather than halved: bc divides at scale 0, so 1.8 / 2 would be 0.
(($(echo "2 * $ended < 2 * $idle + $decode" | bc))) ||
  fail "the saver waited for the decode: ended after ${ended}s (${idle}s with no decode), a decode takes ${decode}s"
echo "the slideshow's options behaved"
