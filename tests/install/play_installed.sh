#!/usr/bin/env bash
# The installed game, from a prefix moved after installing, starts headless and in a real
# window, answers the keyboard, ends when told to, keeps Config.cfg in the player's folder and
# never writes into the install.
here=$(dirname "$0")
source "$here/lib.sh"
build=$1
install_into "$build" "$scratch/first"
mv "$scratch/first" "$scratch/moved"
prefix="$scratch/moved"
game="$prefix/games/brinecast"
player="$scratch/home/.local/share/brinecast"
mkdir -p "$scratch/home" "$scratch/cwd"
snapshot() { (cd "$prefix" && find . -printf '%p %y %s %T@ %m\n' | sort); }
snapshot >"$scratch/install.before"

# Headless, on the driver asked for: it starts and keeps running until it is ended. The three
# seconds are what is tested (still running), not a wait for something to happen.
(cd "$scratch/cwd" && exec env -u DISPLAY -u WAYLAND_DISPLAY HOME="$scratch/home" \
  XDG_DATA_HOME="$scratch/home/.local/share" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  "$game" >"$scratch/headless.out" 2>&1) &
own_pids+=($!)
if wait_for_end "${own_pids[-1]}" 3; then
  fail "headless: the game ended by itself (status $ended_status): $(cat "$scratch/headless.out")"
fi
kill "${own_pids[-1]}" 2>/dev/null || true
for name in Data Sound; do
  [ "$(readlink "$player/$name")" = "$prefix/share/games/brinecast/$name" ] ||
    fail "$player/$name does not lead to the moved install"
done

# A real window under a private X server, which picks a free display number itself.
source "$here/../support/xvfb.sh"
source "$here/../support/report.sh"
if ! xvfb_start 1024x768x24 "$scratch/xvfb.log" "$scratch"; then
  cat "$scratch/xvfb.log" >&2
  echo "FAIL: Xvfb did not start" >&2
  exit 1
fi
own_pids+=($xvfb_pid)
# A window manager, as on a desktop: full screen is granted by it. "fixed" is the server's own font.
evilwm -fn fixed >"$scratch/wm.log" 2>&1 &
own_pids+=($!)
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
poll_for 60 wm_ready || fail "the window manager did not announce itself: $(cat "$scratch/wm.log")"

# Starts the installed game with $1 and waits for its window; sets game_pid and window.
start_game() {
  (cd "$scratch/cwd" && exec env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER HOME="$scratch/home" \
    XDG_DATA_HOME="$scratch/home/.local/share" SDL_AUDIODRIVER=dummy \
    "$game" "$1" >"$scratch/game.out" 2>&1) &
  game_pid=$!
  own_pids+=($game_pid)
  window=
  poll_for --while-alive "$game_pid" 120 window_shown || true
}
window_shown() {
  window=$(xdotool search --onlyvisible --name '^Brinecast$' 2>/dev/null | head -n 1)
  [ -n "$window" ]
}

# The window is $1 (WxH) and shows a drawn frame; its geometry and a screenshot on the way.
drawn_at() {
  geometry=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
  [ "$geometry" = "$1" ] || return 1
  import -window "$window" "$scratch/shot.png" 2>/dev/null || return 1
  colours=$(/usr/bin/convert "$scratch/shot.png" -format %k info:)
  [ "$colours" -gt 16 ]
}
# The wooden question panel is up: a pixel of it at (570, 240) of the game's 800 x 600 picture,
# scaled to the window's $1 (a 4:3 window holds the picture whole).
question_shown() {
  local w=${1%x*} h=${1#*x} rgb
  import -window "$window" "$scratch/ask.png" 2>/dev/null || return 1
  rgb=($(/usr/bin/convert "$scratch/ask.png" -crop "1x1+$((1141 * w / 1600))+$((481 * h / 1200))" \
    +repage -depth 8 rgb:- | od -An -tu1))
  [ "${#rgb[@]}" -eq 3 ] && [ "${rgb[0]}" -gt 125 ] && [ "${rgb[0]}" -lt 190 ] &&
    [ "${rgb[1]}" -gt 80 ] && [ "${rgb[1]}" -lt 135 ] && [ "${rgb[2]}" -gt 30 ] && [ "${rgb[2]}" -lt 90 ]
}

# option | window size on the 1024 x 768 screen
for case in "--window|800x600" "--fullscreen|1024x768"; do
  IFS='|' read -r option size <<<"$case"
  start_game "$option"
  if [ -z "$window" ]; then
    fail "$option: no window appeared: $(cat "$scratch/game.out")"
    continue
  fi
  if ! poll_for 60 drawn_at "$size"; then
    [ "$geometry" = "$size" ] || fail "$option: the window is $geometry, expected $size"
    fail "$option: the window shows ${colours:-no} colours, no drawn frame"
  fi
  # Escape asks whether to quit; Enter answers yes.
  ! question_shown "$size" || fail "$option: a question is up before Escape"
  xdotool key Escape
  poll_for 60 question_shown "$size" || fail "$option: Escape did not ask whether to quit"
  xdotool key Return
  if wait_for_end "$game_pid" 60; then
    [ "$ended_status" = 0 ] || fail "$option: the game ended with status $ended_status"
  else
    fail "$option: the game did not end after Escape and Enter"
    kill "$game_pid" 2>/dev/null || true
  fi
  # Nothing but the mode differs between the runs, and the mode asked for is not saved.
  if [ -f "$scratch/config.first" ]; then
    cmp -s "$scratch/config.first" "$player/Config.cfg" || fail "$option changed the saved options"
  else
    cp "$player/Config.cfg" "$scratch/config.first" 2>/dev/null || true
  fi
done

if [ "$failures" -ne 0 ]; then
  {
    print_log "the game's output" "$scratch/game.out"
    print_screenshot "$scratch/shot.png" "$scratch/small.png"
  } >&2
fi
[ -f "$player/Config.cfg" ] || fail "no Config.cfg in the player's folder $player"
leftovers=$(ls -A "$scratch/cwd")
[ -z "$leftovers" ] || fail "the game wrote into its working folder: $leftovers"
snapshot >"$scratch/install.after"
diff "$scratch/install.before" "$scratch/install.after" >&2 || fail "the game changed its install"
finish
