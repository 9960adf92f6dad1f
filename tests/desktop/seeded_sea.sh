#!/usr/bin/env bash
# The sea the whole-game desktop test counts on, checked quickly in the simulator: with the seed
# that test starts the game with, one short cast after the first level's banner leaves a resting
# hook that lands a goal fish, wins the level and leaves a positive score, however slow the
# machine's frames and however late the cast comes. When a change to the game moves the fish,
# this says so plainly (and the desktop test needs another seed) instead of the desktop test
# timing out at the name entry.
#
# usage: seeded_sea.sh SIM
set -u
sim=$1
# The seed is the one whole_game.sh names, so the two cannot drift apart.
seed=$(sed -n 's/^seed=\([0-9]\+\)$/\1/p' "$(dirname "$0")/whole_game.sh")
if [ -z "$seed" ]; then
  echo "FAIL: whole_game.sh names no seed (a line 'seed=N')" >&2
  exit 1
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/brinecast-seeded-sea.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failures=0

# frame cost in ms (0: a fast machine, 30: a slow one) | ms between the banner's end and the cast
for case in "0|0" "0|2000" "0|4000" "16|0" "16|4000" "30|0" "30|4000"; do
  IFS='|' read -r frame_ms delay <<<"$case"
  {
    echo "wait 1000"
    echo "press Enter"
    # The first level's banner holds play for two seconds.
    echo "wait $((2200 + delay))"
    echo "hold Down 300"
    for _ in $(seq 60); do
      echo "wait 500"
      echo "snapshot"
    done
  } >"$work/script.sim"
  if ! "$sim" --seed "$seed" --frame-ms "$frame_ms" "$work/script.sim" >"$work/out.jsonl" 2>"$work/err"; then
    echo "FAIL: frame cost $frame_ms, cast after $delay ms: the simulator failed: $(cat "$work/err")" >&2
    failures=$((failures + 1))
    continue
  fi
  # Still playing, in the second level, with points: the catch won the first level.
  if ! grep -Eq '"state":"Game",.*"level":2,.*"score":[1-9]' "$work/out.jsonl"; then
    echo "FAIL: frame cost $frame_ms, cast after $delay ms: seed $seed's first level was not won" \
      "by the resting hook; last state: $(tail -n 1 "$work/out.jsonl" | cut -c1-300)" >&2
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] || exit 1
echo "seed $seed: the resting hook wins the first level in every case"
