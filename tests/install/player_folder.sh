#!/usr/bin/env bash
# The player's folder: links to the data are made or re-pointed, anything else standing in their
# place is kept and named, and a folder that cannot be made stops the game with a clear message.
here=$(dirname "$0")
source "$here/lib.sh"
game=$1
data=$2
player="$scratch/home/.local/share/brinecast"

# Runs the game on the dummy driver for at most two seconds; sets status.
run_briefly() {
  status=0
  player_env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$@" timeout 2 "$game" --data "$data" \
    >"$scratch/out" 2>"$scratch/err" || status=$?
}

# A first start makes the folder and both links; 124: still playing when time was up.
run_briefly
[ "$status" = 124 ] || fail "first start: status $status: $(cat "$scratch/err")"
for name in Data Sound; do
  [ "$(readlink "$player/$name")" = "$data/$name" ] || fail "first start: $name is not linked"
done

# A link left by an install that has gone is pointed at the data again.
ln -sfn /nonexistent/Data "$player/Data"
run_briefly
[ "$status" = 124 ] || fail "stale link: status $status: $(cat "$scratch/err")"
[ "$(readlink "$player/Data")" = "$data/Data" ] || fail "stale link: Data still leads elsewhere"

# A real folder in the way is the player's: kept as it is, and the game says what is wrong.
rm "$player/Sound"
mkdir "$player/Sound"
echo mine >"$player/Sound/keep.txt"
run_briefly
[ "$status" = 1 ] || fail "folder in the way: status $status"
grep -Fq "$player/Sound is in the way" "$scratch/err" || fail "folder in the way: $(cat "$scratch/err")"
[ "$(cat "$player/Sound/keep.txt")" = mine ] || fail "folder in the way: the player's file changed"

# A player's folder that cannot be made: XDG_DATA_HOME lies below a plain file.
touch "$scratch/plain"
run_briefly XDG_DATA_HOME="$scratch/plain/share"
[ "$status" = 1 ] || fail "no player's folder: status $status"
grep -q "cannot make the folder for your options and scores" "$scratch/err" ||
  fail "no player's folder: $(cat "$scratch/err")"
finish
