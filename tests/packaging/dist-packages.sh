#!/usr/bin/env bash
# The packages of `make dist` as a user meets them, under Wine in a prefix made afresh for
# this run: the saver's zip unpacked and its saver started full screen; the editor's setup run
# silently, the program, its Start-menu shortcut and its uninstall entry looked for where they
# belong, the installed editor started from another folder, then the uninstaller run silently
# from the entry while a project of the user's sits in the projects folder.
# Usage: dist-packages.sh SAVER.zip SETUP.exe BINDIR VERSION SCREENSHOTS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

zip=$1 setup=$2 bin=$3 version=$4 shots=$5
[[ -f $zip && -f $setup ]] || { echo "FAILED: $zip or $setup missing (make dist)" >&2; exit 1; }

# Nothing an earlier run installed may pass for this run's work.
WINEPREFIX=$PLOTVANE_WINEPREFIX wineserver -k >/dev/null 2>&1 || true
rm -rf "$PLOTVANE_WINEPREFIX"
wine_test_session
mkdir -p "$shots"
cd "$work"

reg_key() { wine reg query "$1" 2>/dev/null | tr -d '\r'; }  # every value of KEY, as reg prints them
value_of() { sed -n "s/^ *$1 *REG_[A-Z_]* *//p" <<<"$2"; }  # NAME KEY-TEXT: the value's data
reg_absent() { ! wine reg query "$1" >/dev/null 2>&1; }

echo "== the zip: the saver, the sample graph sets, the gallery's page and a readme, flat"
[[ $(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ') == "Gallery.twk Plotvane.scr README.txt Showcase.twk gallery.html gallery.png " ]] ||
  fail "the zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
unzip -q "$zip" -d saver
cmp saver/Plotvane.scr "$bin/Plotvane.scr" || fail "Plotvane.scr differs from the build's"
for name in Showcase.twk Gallery.twk gallery.html gallery.png; do
  cmp "saver/$name" "$bin/$name" || fail "$name differs from the build's"
done
readme=saver/README.txt
[[ $(grep -c $'\r$' "$readme") == $(wc -l <"$readme") ]] || fail "README.txt has lines without CR LF"
readme_text=$(tr -d '\r' <"$readme" | tr '\n' ' ')
for words in '"Install"' 'Windows folder' '"Settings...", then "Open"' \
             "installed programs" "\"Quorvel Graph Screen Saver $version\""; do
  grep -qF -- "$words" <<<"$readme_text" || fail "README.txt does not say $words"
done

echo "== the saver from the zip runs full screen over its sample graphs"
file="Z:${work//\//\\}\\saver\\Showcase.twk"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Quorvel\\Plotvane]\r\n"IsFloat"=dword:00000000\r\n"IsRandom"=dword:00000000\r\n"ImageWidth"=dword:000000c8\r\n"ImageHeight"=dword:000000c8\r\n"CurrentFile"="%s"\r\n"fn"=dword:00000000\r\n' \
  "${file//\\/\\\\}" >settings.reg
wine regedit /S settings.reg
wine saver/Plotvane.scr /s &
saver=$!
window=$(wine_wait_window "Plotvane" 60) || fail "no full-screen window"
# The first graph, a surface, is drawn in the middle of the black screen: wait until a good
# part of the 200 x 200 square there is lit.
graph_shown() {
  wine_screenshot saver.png || return 1
  local lit
  lit=$(convert saver.png -crop 200x200+412+284 +repage -colorspace gray -threshold 5% -format '%[fx:mean]' info:)
  awk -v lit="$lit" 'BEGIN { exit !(lit > 0.1) }'
}
wine_wait_until 60 "the graph in the middle of the screen" graph_shown || fail "no graph drawn"
cp saver.png "$shots/dist-saver.png"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window" || true
xdotool key --window "$window" space
wine_wait_exit "$saver" || fail "the saver did not end on a key"
wait "$saver" || fail "the saver ended with status $?"
[[ $(value_of DisplayName "$(reg_key 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Plotvane')") == \
   "Quorvel Graph Screen Saver $version" ]] || fail "the saver registered no uninstall entry of its own"

echo "== the setup asks for no administrator rights and installs silently with /S"
grep -aq 'requestedExecutionLevel level="asInvoker"' "$setup" || fail "the setup's manifest asks for more than the user's rights"
timeout 300 wine "$setup" /S || fail "the setup ended with status $?"
IFS=';' read -r local_appdata appdata < <(wine cmd /c 'echo %LOCALAPPDATA%;%APPDATA%' | tr -d '\r')
{ read -r local_appdata_unix; read -r appdata_unix; } < <(winepath -u "$local_appdata" "$appdata" | tr -d '\r')
app="$local_appdata_unix/Programs/Lumivox"
app_win="$local_appdata\\Programs\\Lumivox"
[[ $(ls "$app" | tr '\n' ' ') == "resource.sk slidemaker.exe uninstall.exe " ]] ||
  fail "$app holds: $(ls "$app" | tr '\n' ' ')"
cmp "$app/slidemaker.exe" "$bin/slidemaker.exe" || fail "slidemaker.exe differs from the build's"
cmp "$app/resource.sk" "$bin/resource.sk" || fail "resource.sk differs from the build's"

shortcut="$appdata_unix/Microsoft/Windows/Start Menu/Programs/Lumivox.lnk"
[[ -f $shortcut ]] || fail "no Start-menu shortcut $shortcut"
targets=$(strings -a "$shortcut"; strings -a -el "$shortcut")
grep -qiF "$app_win\\slidemaker.exe" <<<"$targets" ||
  fail "the shortcut does not point at $app_win\\slidemaker.exe"

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumivox'
entry=$(reg_key "$key")
entry_value() { value_of "$1" "$entry"; }
[[ $(entry_value DisplayName) == "Lumivox $version" ]] || fail "DisplayName: $(entry_value DisplayName)"
[[ $(entry_value DisplayVersion) == "$version" ]] || fail "DisplayVersion: $(entry_value DisplayVersion)"
[[ $(entry_value Publisher) == "Studio Esempio" ]] || fail "Publisher: $(entry_value Publisher)"
uninstall=$(entry_value UninstallString)
[[ $uninstall == "\"$app_win\\uninstall.exe\"" ]] || fail "UninstallString: $uninstall"
[[ $(entry_value QuietUninstallString) == "$uninstall /S" ]] || fail "no QuietUninstallString"
# In KiB, the two program files (the uninstaller the setup writes itself is not counted),
# rounded up, file by file or in all.
size=$(($(entry_value EstimatedSize)))
files=$(( ($(stat -c %s "$app/slidemaker.exe") + $(stat -c %s "$app/resource.sk") + 1023) / 1024 ))
((size == files || size == files + 1)) || fail "EstimatedSize $size KiB, the files take $files KiB"
reg_absent 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumivox' || fail "the setup wrote to HKEY_LOCAL_MACHINE"

echo "== the installed editor, started from another folder, makes its projects folder beside itself"
mkdir elsewhere
(cd elsewhere && exec wine "$app_win\\slidemaker.exe") &
editor=$!
wine_wait_window "Lumivox $version - Studio Esempio" 60 >/dev/null || fail "the editor's main window did not open"
wine_wait_until 30 "the projects folder" test -d "$app/projects" || fail "no projects folder in $app"
[[ -z $(ls elsewhere) ]] || fail "the editor wrote into its current folder: $(ls elsewhere)"
wine taskkill /im slidemaker.exe >/dev/null 2>&1 || true
wine_wait_exit "$editor" || fail "the editor did not close"

echo "== the uninstaller from the entry, silent, removes the program and keeps the projects"
mkdir "$app/projects/Vacanze"
printf '7\r\nC:\\Foto\\mare.jpg\r\n' >"$app/projects/Vacanze/list.dat"
printf 'pak' >"$app/projects/Vacanze/Vacanze.pak"
cp -a "$app/projects" projects-before
uninstaller=${uninstall#\"}
uninstaller=${uninstaller%\"}
timeout 300 wine "$uninstaller" /S || fail "the uninstaller ended with status $?"
# The uninstaller runs on from a copy of itself and removes the entry last.
wine_wait_until 60 "the uninstall entry to go" reg_absent "$key" || fail "the uninstall entry stayed"
[[ $(cd "$app" && ls) == "projects" ]] || fail "left in $app: $(ls "$app" | tr '\n' ' ')"
[[ ! -e $shortcut ]] || fail "the shortcut stayed"
diff -r projects-before "$app/projects" || fail "the projects folder changed in the uninstall"
echo "OK"
