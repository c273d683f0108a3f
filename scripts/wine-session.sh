# Sourced by scripts that run Windows programs under Wine on a virtual X screen.
#
#   wine_session_start PREFIX   private Wine prefix (created on first use, no Mono or
#                               Gecko installs, no dialogs, Wine's own fonts in its Fonts
#                               folder, code page 1252) and, when DISPLAY is unset, an
#                               Xvfb server on a free display (1024 x 768, or the
#                               WIDTHxHEIGHTxDEPTH in PLOTVANE_XVFB_SCREEN)
#   wine_session_stop           ends every Wine process of the prefix and the Xvfb it started
#   wine_screenshot FILE.png    the whole virtual screen as PNG
#   wine_pixel FILE.png X Y     "R G B" of one pixel, decimal
#   wine_wait_window NAME [S]   waits up to S seconds (default 20) for a visible window titled NAME,
#                               prints its X window id
#   wine_test_session           for test scripts: a session in the prefix PLOTVANE_WINEPREFIX,
#                               a scratch folder in $work, both gone when the script exits;
#                               fail MESSAGE ends the script with the message
#
# Synthetic input goes through xdotool directly (xdotool key, mousemove, click).

wine_session_start() {
  export WINEPREFIX=$1
  export WINEDEBUG=${WINEDEBUG:--all}
  # Empty overrides disable the Mono and Gecko installers that would otherwise ask to download.
  export WINEDLLOVERRIDES="mscoree,mshtml=;${WINEDLLOVERRIDES:-}"
  export WINEARCH=win64
  # Wine takes its ANSI code page from the Unix locale (even one not installed): C.UTF-8
  # gives 1252, the Western European code page the programs' texts are compiled to,
  # whatever the caller's language.
  export LC_ALL=C.UTF-8

  _wine_xvfb_pid=""
  if [[ -z "${DISPLAY:-}" ]]; then
    local fifo display
    fifo=$(mktemp -u) && mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${PLOTVANE_XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    _wine_xvfb_pid=$!
    read -r -t 20 display <"$fifo" || true
    rm -f "$fifo"
    if [[ -z "$display" ]]; then
      echo "wine-session: Xvfb did not start" >&2
      return 1
    fi
    export DISPLAY=":$display"
  fi

  mkdir -p "$(dirname "$WINEPREFIX")"
  # Several tests may start at once; only one of them creates the prefix.
  (
    flock 9
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
      echo "wine-session: creating Wine prefix $WINEPREFIX" >&2
      wineboot -i >/dev/null 2>&1
      wineserver -w
    fi
    _wine_prefix_fonts
  ) 9>"$WINEPREFIX.lock"
}

# Debian's Wine finds its own fonts (Marlett draws caption buttons, arrows and check marks,
# Tahoma is the dialog font) only in the prefix's Fonts folder; without them it substitutes
# DejaVu Sans and draws those glyphs as letters.  Prefixes made before this copy existed get
# the files on their next session.
_wine_fonts_dir=/usr/share/wine/fonts
_wine_prefix_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  if [[ ! -d $_wine_fonts_dir ]]; then
    echo "wine-session: $_wine_fonts_dir missing (package fonts-wine): Wine draws without its fonts" >&2
    return 0
  fi
  mkdir -p "$fonts"
  for font in "$_wine_fonts_dir"/*.ttf; do
    cmp -s "$font" "$fonts/${font##*/}" || cp "$font" "$fonts/"
  done
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [[ -n "${_wine_xvfb_pid:-}" ]]; then
    kill "$_wine_xvfb_pid" 2>/dev/null || true
    wait "$_wine_xvfb_pid" 2>/dev/null || true
    unset DISPLAY
  fi
}

wine_screenshot() {
  xwd -root -silent -display "$DISPLAY" | convert xwd:- "png:$1"
}

wine_pixel() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}

wine_wait_window() {
  local name=$1 limit=${2:-20} id
  for ((i = 0; i < limit * 10; i++)); do
    id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n 1)
    if [[ -n "$id" ]]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  echo "wine-session: no window titled '$name' after ${limit}s" >&2
  return 1
}

wine_test_session() {
  work=$(mktemp -d)
  wine_session_start "${PLOTVANE_WINEPREFIX:?}"
  trap 'wine_session_stop; rm -rf "$work"' EXIT
}

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
