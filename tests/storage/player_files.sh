#!/usr/bin/env bash
# The real program and the player's Config.cfg: a link planted at the temporary file's name
# is not written through, and damaged texts are cleaned when the file is read (a start in full
# screen writes the file back).
set -euo pipefail
game=$1
data=$2
source "$(dirname "$0")/../support/poll.sh"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/brinecast-player-files.XXXXXX")
game_pid=
cleanup() {
  if [ -n "$game_pid" ]; then
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT
player="$scratch/home/.local/share/brinecast"
config="$player/Config.cfg"
mkdir -p "$player" "$scratch/elsewhere"
mkdir -p -m 700 "$scratch/runtime"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Starts the game on the dummy driver, waits until the shell test "$@" holds (at most 60 s),
# then ends the game by its pid. False when the condition never held.
play_until() {
  env -u DISPLAY -u WAYLAND_DISPLAY HOME="$scratch/home" \
    XDG_DATA_HOME="$scratch/home/.local/share" XDG_RUNTIME_DIR="$scratch/runtime" \
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game" --data "$data" \
    >"$scratch/out" 2>"$scratch/err" &
  game_pid=$!
  local held=1
  poll_for --while-alive "$game_pid" 60 "$@" || held=0
  kill "$game_pid" 2>/dev/null || true
  wait "$game_pid" 2>/dev/null || true
  game_pid=
  if grep -Eq "runtime error|Sanitizer" "$scratch/err"; then
    fail "the game's log holds a sanitizer report: $(head -c 2000 "$scratch/err")"
  fi
  [ "$held" = 1 ]
}

written() { [ -f "$config" ] && [ "$(stat -c %s "$config")" = 220 ]; }
changed() { ! cmp -s "$scratch/damaged.cfg" "$config"; }

# 1. A first start writes the defaults; the link planted at the temporary name leads elsewhere.
printf 'keep' >"$scratch/elsewhere/victim"
ln -s "$scratch/elsewhere/victim" "$config.tmp"
play_until written || fail "the first start wrote no Config.cfg: $(cat "$scratch/err")"
[ "$(cat "$scratch/elsewhere/victim")" = keep ] || fail "the save wrote through the planted link"
[ -f "$config" ] && [ ! -L "$config" ] || fail "Config.cfg is not a plain file"
[ ! -e "$config.tmp" ] && [ ! -L "$config.tmp" ] || fail "Config.cfg.tmp was left behind"

# 2. The options text (bytes 4..16, not masked) damaged: a length of 6 and bytes no key types.
# The defaults say full screen, so the start writes the file back, cleaned.
if written; then
  cp "$config" "$scratch/damaged.cfg"
  printf '\006\001hi \177z' | dd of="$scratch/damaged.cfg" bs=1 seek=4 conv=notrunc 2>/dev/null
  cp "$scratch/damaged.cfg" "$config"
  play_until changed || fail "the start did not write Config.cfg back: $(cat "$scratch/err")"
  text=$(dd if="$config" bs=1 skip=4 count=4 2>/dev/null | od -An -c | tr -s ' ')
  [ "$text" = " 003 H i z" ] || fail "the options text was stored as '$text', expected ' 003 H i z'"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
