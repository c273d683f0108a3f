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
#   wine_wait_window NAME [S]   waits up to S seconds (default $wine_wait_seconds) for a visible
#                               window titled NAME, prints its X window id
#
# Waiting, never sleeping: each helper below polls its condition every 0.1 s and returns as
# soon as it holds, or fails with a message naming what it waited for after S seconds
# (default $wine_wait_seconds, 60 unless set: generous, since a loaded machine is slow, and
# free when the condition comes at once).
#   wine_wait_until S WHAT CMD...   runs CMD until it succeeds; WHAT names it in the failure
#   wine_wait_gone NAME [S]         until no visible window is titled NAME
#   wine_wait_exit PID [S]          until process PID has ended
#   wine_wait_file FILE [S]         until FILE exists and is not empty
#   wine_wait_line FILE REGEX [S]   until a line of FILE matches the extended REGEX
#   wine_wait_pixel X Y RGB [S] [TOL] [FILE.png]
#                                   until the screen's pixel (X, Y) is "R G B" (each channel
#                                   within TOL, default 0); keeps the last screenshot in FILE
#   wine_wait_screen_settled [S]    until two screenshots 0.2 s apart are the same (after an
#                                   animation-free change, before a screenshot a person reads)
#   wine_wait_changed FILE.png [S]  until the screen differs from the screenshot FILE.png (a
#                                   menu or window opened by input that names no window)
#   wine_test_session           for test scripts: a session in the prefix PLOTVANE_WINEPREFIX,
#                               a scratch folder in $work, both gone when the script exits;
#                               fail MESSAGE ends the script with the message
#
# Synthetic input goes through xdotool directly (xdotool key, mousemove, click).

wine_wait_seconds=${wine_wait_seconds:-60}

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
  local name=$1 limit=${2:-$wine_wait_seconds} id
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


wine_wait_until() {
  local limit=$1 what=$2 end
  shift 2
  end=$((${EPOCHREALTIME/./} + limit * 1000000))
  until "$@"; do
    ((${EPOCHREALTIME/./} < end)) || {
      echo "wine-session: gave up after ${limit}s waiting for $what" >&2
      return 1
    }
    sleep 0.1
  done
  return 0
}

_wine_window_gone() { [[ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ]]; }
wine_wait_gone() { wine_wait_until "${2:-$wine_wait_seconds}" "the window '$1' to close" _wine_window_gone "$1"; }

_wine_process_gone() { ! kill -0 "$1" 2>/dev/null; }
wine_wait_exit() { wine_wait_until "${2:-$wine_wait_seconds}" "process $1 to end" _wine_process_gone "$1"; }

wine_wait_file() { wine_wait_until "${2:-$wine_wait_seconds}" "the file $1" test -s "$1"; }

_wine_line_in() { grep -Eq -- "$2" "$1" 2>/dev/null; }
wine_wait_line() { wine_wait_until "${3:-$wine_wait_seconds}" "a line /$2/ in $1" _wine_line_in "$1" "$2"; }

_wine_pixel_is() {
  local x=$1 y=$2 want=$3 tol=$4 shot=$5 got r g b wr wg wb
  wine_screenshot "$shot" || return 1
  got=$(wine_pixel "$shot" "$x" "$y")
  read -r r g b <<<"$got"
  read -r wr wg wb <<<"$want"
  [[ -n "$b" ]] || return 1
  ((r - wr <= tol && wr - r <= tol && g - wg <= tol && wg - g <= tol && b - wb <= tol && wb - b <= tol))
}
wine_wait_pixel() {
  local shot=${6:-}
  [[ -n "$shot" ]] || shot=$(mktemp --suffix=.png)
  wine_wait_until "${4:-$wine_wait_seconds}" "the pixel ($1, $2) to be $3" \
    _wine_pixel_is "$1" "$2" "$3" "${5:-0}" "$shot"
  local status=$?
  if ((status != 0)); then
    echo "wine-session: the pixel ($1, $2) is $(wine_pixel "$shot" "$1" "$2")" >&2
  fi
  [[ -n "${6:-}" ]] || rm -f "$shot"
  return $status
}

_wine_screen_same() {
  local previous=$1 current=$2
  wine_screenshot "$current" || return 1
  if [[ -f "$previous" ]] && cmp -s <(convert "$previous" rgb:-) <(convert "$current" rgb:-); then
    return 0
  fi
  mv "$current" "$previous"
  sleep 0.1
  return 1
}
wine_wait_screen_settled() {
  local dir status
  dir=$(mktemp -d)
  wine_wait_until "${1:-$wine_wait_seconds}" "the screen to settle" _wine_screen_same "$dir/a.png" "$dir/b.png"
  status=$?
  rm -rf "$dir"
  return $status
}

_wine_screen_differs() {
  wine_screenshot "$2" || return 1
  ! cmp -s <(convert "$1" rgb:-) <(convert "$2" rgb:-)
}
wine_wait_changed() {
  local shot status
  shot=$(mktemp --suffix=.png)
  wine_wait_until "${2:-$wine_wait_seconds}" "the screen to change" _wine_screen_differs "$1" "$shot"
  status=$?
  rm -f "$shot"
  return $status
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
