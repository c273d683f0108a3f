# Sourced by Wine tests that need two monitors: an 800 x 600 monitor left of a 1024 x 768
# primary one.  Xvfb gives Wine one monitor whatever its options; an X server with the dummy
# video driver and two RandR outputs gives it two.
#   two_monitors_start   starts that server and exports DISPLAY; exits the script with status
#                        77 (skipped) where it cannot start
#   two_monitors_stop    ends it
two_monitors_start() {
  command -v Xorg >/dev/null && [[ -f /usr/lib/xorg/modules/drivers/dummy_drv.so ]] ||
    { echo "no Xorg with the dummy driver: skipped"; exit 77; }
  _two_monitors_work=$(mktemp -d)
  cat >"$_two_monitors_work/xorg.conf" <<'CONF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 64000
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 1824 768
  EndSubSection
EndSection
CONF
  mkfifo "$_two_monitors_work/display"
  Xorg -noreset -nolisten tcp -config "$_two_monitors_work/xorg.conf" -logfile "$_two_monitors_work/xorg.log" \
    -displayfd 3 3>"$_two_monitors_work/display" >/dev/null 2>&1 &
  _two_monitors_xorg=$!
  local display=""
  read -r -t 20 display <"$_two_monitors_work/display" || true
  if [[ -z "$display" ]]; then
    two_monitors_stop
    echo "the dummy X server did not start: skipped"
    exit 77
  fi
  export DISPLAY=":$display"
  xrandr --newmode left800 38.25 800 832 912 1024 600 603 607 624 -hsync +vsync
  xrandr --addmode DUMMY1 left800
  xrandr --output DUMMY0 --primary --mode 1024x768 --pos 800x0 --output DUMMY1 --mode left800 --pos 0x0
  _two_monitors_active() { xrandr --listactivemonitors | grep -q '^Monitors: 2'; }
  wine_wait_until "$wine_wait_seconds" "two monitors" _two_monitors_active
}

two_monitors_stop() {
  kill "$_two_monitors_xorg" 2>/dev/null || true
  wait "$_two_monitors_xorg" 2>/dev/null || true
  rm -rf "$_two_monitors_work"
}
