#!/usr/bin/env bash
# Without a display the game ends at once saying what is missing, instead of running unseen on
# a screenless driver; only a driver named in SDL_VIDEODRIVER may run it that way.
here=$(dirname "$0")
source "$here/lib.sh"
game=$1
data=$2

# An X display number nobody serves (the servers tests start count up from 0).
free_display=180
while [ -e "/tmp/.X11-unix/X$free_display" ] || [ -e "/tmp/.X$free_display-lock" ]; do
  free_display=$((free_display + 1))
done

# environment | text stderr must hold
cases=(
  "|neither DISPLAY nor WAYLAND_DISPLAY is set"
  "DISPLAY=:$free_display|the X display \":$free_display\" named by DISPLAY"
  "WAYLAND_DISPLAY=brinecast-nowhere|the Wayland display \"brinecast-nowhere\""
  "DISPLAY=:$free_display WAYLAND_DISPLAY=brinecast-nowhere|\":$free_display\" named by DISPLAY or the Wayland display"
)
for case in "${cases[@]}"; do
  IFS='|' read -r vars text <<<"$case"
  read -r -a assignments <<<"$vars"
  status=0
  player_env "${assignments[@]}" timeout 10 "$game" --data "$data" >"$scratch/out" 2>"$scratch/err" ||
    status=$?
  [ "$status" = 1 ] || fail "[$vars]: status $status, expected 1 (124: still running unseen)"
  grep -Fq -- "$text" "$scratch/err" || fail "[$vars]: stderr lacks '$text': $(cat "$scratch/err")"
done

[ ! -e "$scratch/home/.local/share/brinecast" ] || fail "a run without a display made the player's folder"

# Asked for by name, the dummy driver runs the game: it is still going after two seconds.
player_env_start SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game" --data "$data" \
  >"$scratch/out" 2>"$scratch/err"
if wait_for_end "${own_pids[-1]}" 2; then
  fail "with SDL_VIDEODRIVER=dummy the game ended at once (status $ended_status): $(cat "$scratch/err")"
fi
finish
