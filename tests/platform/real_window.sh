#!/usr/bin/env bash
# The desktop platform's real window on a private Xvfb, watched through screenshots: without a
# window manager a full-screen request is never granted, and the frame must still fit the
# 800 x 600 window whole; the window carries the game's icon and its class; with a window
# manager, maximising the window is the game's maximise (full screen) and leaving full screen
# gives back the window, for good.
#
# usage: real_window.sh PROBE OUTDIR
#   PROBE   brinecast_window_probe
#   OUTDIR  where the probe's output and the screenshots are kept
set -u

probe=$1
out=$2
screen_w=1280 # not 4:3, so full screen is letterboxed
screen_h=800
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/brinecast-window.XXXXXX") || exit 1
shot=$work/shot.rgb
xvfb_pid=
wm_pid=
probe_pid=
step_name="setting up"

stop() { # PID...: ends these processes of ours and waits for them
  local pid
  for pid in "$@"; do [ -n "$pid" ] && kill "$pid" 2>/dev/null; done
  for pid in "$@"; do [ -n "$pid" ] && wait "$pid" 2>/dev/null; done
}
cleanup() {
  # The probe first, while its display is still there.
  stop $probe_pid
  stop $wm_pid
  stop $xvfb_pid
  rm -rf "$work"
}
trap cleanup EXIT
trap 'echo "real_window: interrupted during: $step_name" >&2; exit 130' INT TERM HUP

step() {
  step_name=$*
  echo "$step_name"
}
fail() {
  echo "real_window: FAILED during: $step_name" >&2
  echo "real_window: $*" >&2
  [ -s "$shot" ] && /usr/bin/convert -size "${screen_w}x${screen_h}" -depth 8 "rgb:$shot" \
    "$out/failed.png" && echo "real_window: the last screenshot is $out/failed.png" >&2
  [ -s "$out/probe.log" ] && { echo "--- the probe's output ---"; cat "$out/probe.log"; } >&2
  exit 1
}

source "$(dirname "$0")/../support/poll.sh"

# The probe reported exactly $1 lines matching $2.
lines_are() {
  [ "$(grep -c "$2" "$out/probe.log")" -eq "$1" ]
}

take_shot() {
  timeout 20 import -window root -depth 8 "rgb:$shot" 2>/dev/null || fail "import failed"
}
save_shot() {
  /usr/bin/convert -size "${screen_w}x${screen_h}" -depth 8 "rgb:$shot" "$out/$1.png"
}

win=
win_x=0 win_y=0 win_w=0 win_h=0
read_geometry() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$win" 2>/dev/null)" || fail "the window is gone"
  win_x=$X win_y=$Y win_w=$WIDTH win_h=$HEIGHT
}
geometry_is() {
  read_geometry
  [ "$win_w" -eq "$1" ] && [ "$win_h" -eq "$2" ]
}

# Colour of a screen pixel in the last screenshot, as "r g b".
colour_at() {
  echo $(od -An -tu1 -j $((($2 * screen_w + $1) * 3)) -N3 "$shot")
}
# The frame fitted into the window as it really is: each corner's square in its colour.
frame_whole() {
  local fw=$win_w fh=$((win_w * 600 / 800))
  if [ "$fh" -gt "$win_h" ]; then
    fh=$win_h
    fw=$((win_h * 800 / 600))
  fi
  local left=$((win_x + (win_w - fw) / 2)) top=$((win_y + (win_h - fh) / 2))
  local right=$((left + fw - 6)) bottom=$((top + fh - 6)) in=5
  take_shot
  local got
  for corner in "$((left + in)) $((top + in)) 0 255 0 top-left-green" \
    "$right $((top + in)) 255 0 0 top-right-red" \
    "$((left + in)) $bottom 255 255 0 bottom-left-yellow" \
    "$right $bottom 0 0 255 bottom-right-blue"; do
    set -- $corner
    got=$(colour_at "$1" "$2")
    if [ "$got" != "$3 $4 $5" ]; then
      echo "  $6 at $1,$2 is $got" >&2
      return 1
    fi
  done
}

start_probe() {
  : >"$out/probe.log"
  ASAN_OPTIONS=detect_leaks=0 "$probe" "$@" >>"$out/probe.log" 2>&1 &
  probe_pid=$!
  poll_for 30 grep -q '^ready' "$out/probe.log" || fail "the probe did not start"
  win=$(xdotool search --name '^Brinecast$' 2>/dev/null | head -n 1)
  [ -n "$win" ] || fail "no window named Brinecast"
}

step "starting Xvfb"
Xvfb -displayfd 3 -screen 0 "${screen_w}x${screen_h}x24" -nolisten tcp -noreset 3>"$work/display" \
  >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
poll_for 30 test -s "$work/display" || fail "Xvfb named no display: $(cat "$out/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"
unset SDL_VIDEODRIVER # the real X11 driver, not the suite's dummy one

step "full screen asked for with no window manager: the frame fits the window it really has"
start_probe --fullscreen
grep -q '^ready fullscreen=1' "$out/probe.log" || fail "full screen was refused outright"
geometry_is 800 600 || fail "the window is ${win_w}x${win_h}, though nobody could resize it"
poll_for 10 frame_whole || fail "the frame is cut off or misplaced in the 800 x 600 window"
save_shot no-window-manager

step "the information box over the frame: title bar, panel, button"
stop $probe_pid
start_probe --fullscreen --box
take_shot
save_shot box
# Down the window's middle: the dark title bar, the light panel, the blue OK button, the panel.
column=
for ((y = win_y; y < win_y + win_h; y += 2)); do
  case $(colour_at $((win_x + win_w / 2)) "$y") in
    "35 66 94") column+=N ;;
    "244 246 248") column+=P ;;
    "46 125 181") column+=A ;;
    *) column+=. ;;
  esac
done
column=$(echo "$column" | tr -s 'NPA.')
echo "  down the middle: $column"
[[ $column =~ N.*P.*A.*P ]] || fail "the box's parts are not where they belong: $column"

step "the window's class and icon"
xprop -id "$win" WM_CLASS | grep -q '= "brinecast", "brinecast"$' ||
  fail "WM_CLASS is $(xprop -id "$win" WM_CLASS)"
xprop -id "$win" _NET_WM_ICON | grep -q 'Icon (64 x 64)' || fail "no 64 x 64 icon on the window"
stop $probe_pid
probe_pid=

step "starting a window manager"
evilwm -fn fixed >"$out/wm.log" 2>&1 &
wm_pid=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
poll_for 10 wm_running || fail "evilwm did not start: $(cat "$out/wm.log")"

step "the window manager maximises the window: the game's maximise, full screen"
start_probe
geometry_is 800 600 || fail "the window opened at ${win_w}x${win_h}"
xdotool mousemove $((win_x + 400)) $((win_y + 300))
xdotool key ctrl+alt+x
poll_for 10 grep -q '^maximise fullscreen=1' "$out/probe.log" || fail "no maximise reached the game"
poll_for 10 geometry_is $screen_w $screen_h || fail "the window is ${win_w}x${win_h}"
poll_for 10 frame_whole || fail "the frame does not fill the screen letterboxed"
save_shot maximised

step "leaving full screen gives back the window, and it stays a window"
xdotool key F2
poll_for 10 grep -q '^switch fullscreen=0' "$out/probe.log" || fail "the switch did not happen"
poll_for 10 geometry_is 800 600 || fail "the window is ${win_w}x${win_h} after leaving full screen"
# Long enough for a spurious maximise to come round: the window manager answers in milliseconds.
still_a_window() { lines_are 1 '^maximise' && geometry_is 800 600; }
if ! holds_for 2 still_a_window; then
  lines_are 1 '^maximise' || fail "maximised again by itself"
  fail "the window grew again to ${win_w}x${win_h}"
fi
poll_for 10 frame_whole || fail "the frame does not fill the window"

step "maximised again"
xdotool key ctrl+alt+x
poll_for 10 lines_are 2 '^maximise fullscreen=1' || fail "the second maximise did not reach the game"
poll_for 10 geometry_is $screen_w $screen_h || fail "the window is ${win_w}x${win_h}"

step "done"
