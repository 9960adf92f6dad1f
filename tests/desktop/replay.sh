#!/usr/bin/env bash
# brinecast --replay in a real window: a game recorded by the simulator plays back and the
# program ends with the recording; 4 speeds it up, P pauses it (it then outlives its own
# length), Esc leaves before the recording's end, and a damaged file is refused in a message box.
#
# usage: replay.sh GAME SIM OUTDIR
#   GAME    the built executable, with Data/ and Sound/ beside it
#   SIM     the built brinecast-sim, which records the game watched
#   OUTDIR  where the logs and screenshots are kept
set -u
# A real window: the test command's screenless driver is not for this test; sound stays quiet.
unset SDL_VIDEODRIVER
export SDL_AUDIODRIVER=dummy

game=$1
sim=$2
out=$3
here=$(dirname "$0")
source "$here/../support/poll.sh"
source "$here/../support/xvfb.sh"
started=$SECONDS

rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/brinecast-replay.XXXXXX") || exit 1
game_pid=

cleanup() {
  local pid
  for pid in $game_pid $xvfb_pid; do kill "$pid" 2>/dev/null; done
  for pid in $game_pid $xvfb_pid; do wait "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "replay: $*" >&2
  for log in "$out"/*.log; do
    [ -s "$log" ] && { echo "--- $log" >&2; tail -n 100 "$log" >&2; }
  done
  exit 1
}

game_alive() { kill -0 "$game_pid" 2>/dev/null; }
game_window() { xdotool search --class brinecast >/dev/null 2>&1; }

# Starts the game on a recording; its output goes to the named log.
watch() {
  "$game" --window --replay "$1" >>"$out/$2.log" 2>&1 &
  game_pid=$!
  poll_for 60 game_window || fail "no replay window within 60s ($2)"
}

# Whether the screen shows a picture (the sea), not a black window; the shot kept as $1.
picture_shown() {
  import -window root -depth 8 "$1" 2>/dev/null &&
    [ "$(convert "$1" -format '%[fx:mean>0.15]' info: 2>/dev/null)" = 1 ]
}

# Waits for the game to end by itself; its status into status.
status=0
await_end() {
  poll_for "$1" eval '! game_alive' || fail "the replay was still running after $1s ($2)"
  wait "$game_pid"
  status=$?
  game_pid=
}

# A 17 s game: the boat steered, the line let down, a level won.
cat >"$work/game.sim" <<'SIM'
press Enter
wait 2500
hold Down 1500
wait 500
hold Right 800
hold Down 2500
wait 1500
hold Left 1200
hold Down 3000
wait 3000
SIM
"$sim" --seed 8 --record "$work/game.bcreplay" "$work/game.sim" >/dev/null 2>"$out/sim.log" ||
  fail "the simulator did not record the game"

xvfb_start 1024x768x24 "$out/xvfb.log" "$work" || fail "Xvfb did not start"

echo "[$((SECONDS - started))s] played to its end at its own pace"
watch "$work/game.bcreplay" plain
poll_for 60 picture_shown "$out/playing.png" || fail "the replay showed no picture"
# Timed from the first picture: a slow build's start-up is not the replay's pace.
t0=$SECONDS
await_end 120 "plain"
[ "$status" -eq 0 ] || fail "the replay ended with status $status"
plain=$((SECONDS - t0))
[ "$plain" -ge 12 ] || fail "a 17s game replayed in ${plain}s: not at its own pace"

echo "[$((SECONDS - started))s] 4 plays it four times as fast"
watch "$work/game.bcreplay" fast
# Keys go to the replay once it shows its picture (before, the window may not have the focus).
poll_for 60 picture_shown "$work/fast.png" || fail "the fast replay showed no picture"
t0=$SECONDS
xdotool key 4
await_end 120 "fast"
[ "$status" -eq 0 ] || fail "the fast replay ended with status $status"
fast=$((SECONDS - t0))
[ "$fast" -lt "$plain" ] || fail "at 4x the replay took ${fast}s, at 1x ${plain}s"

echo "[$((SECONDS - started))s] P pauses: the replay outlives its length, then P lets it end"
watch "$work/game.bcreplay" paused
poll_for 60 picture_shown "$out/before-pause.png" || fail "the replay showed no picture"
xdotool key p
# Paused, the picture stands still: two shots half a second apart are the same. The half
# second is the span looked at, not a wait.
still() {
  picture_shown "$work/a.png" && sleep 0.5 && picture_shown "$out/paused.png" &&
    [ "$(compare -metric AE "$work/a.png" "$out/paused.png" null: 2>&1)" = 0 ]
}
poll_for 10 still || fail "the replay did not stand still after P"
holds_for $((plain + 5)) game_alive || fail "the paused replay ended by itself"
picture_shown "$out/paused-later.png" || fail "the paused replay showed no picture later"
# Nothing moves while paused: seconds apart, the same picture.
differ=$(compare -metric AE "$out/paused.png" "$out/paused-later.png" null: 2>&1)
[ "$differ" = 0 ] || fail "the paused replay went on moving ($differ pixels changed)"
xdotool key p key 4
await_end 120 "after the pause"
[ "$status" -eq 0 ] || fail "the replay ended with status $status after its pause"

echo "[$((SECONDS - started))s] Esc leaves at once"
watch "$work/game.bcreplay" escape
poll_for 60 picture_shown "$work/escape.png" || fail "the replay showed no picture before Esc"
t0=$SECONDS
xdotool key Escape
await_end 120 "Esc"
[ "$status" -eq 0 ] || fail "leaving with Esc ended with status $status"
left=$((SECONDS - t0))
# Start-up and shutting down still take their time (a sanitizer build is slow), but not the game's.
[ "$left" -lt "$plain" ] || fail "after Esc the replay took ${left}s, as long as playing it (${plain}s)"

echo "[$((SECONDS - started))s] a damaged recording is refused in a message box"
head -c 40 "$work/game.bcreplay" >"$work/damaged.bcreplay"
"$game" --replay "$work/damaged.bcreplay" >>"$out/damaged.log" 2>&1 &
game_pid=$!
poll_for 60 game_window || fail "no window for the damaged recording's box"
poll_for 60 grep -q "cannot be replayed" "$out/damaged.log" ||
  fail "the refusal does not say why: $(cat "$out/damaged.log")"
import -window root "$out/damaged.png" 2>/dev/null
# The box is the game's own, over its window: Return closes it and the program ends.
xdotool key Return
await_end 30 "the damaged file's box"
[ "$status" -eq 1 ] || fail "a damaged recording ended with status $status, not 1"

echo "replay: passed in $((SECONDS - started))s (1x ${plain}s, 4x ${fast}s)"
