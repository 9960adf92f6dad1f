#!/usr/bin/env bash
# The simulator against a stand-in score server that is busy: an upload answered 503 is kept
# in the player's folder, the player told nothing; the game started again tries it once its
# wait is over by the game's own clock and delivers it, then keeps nothing. An upload whose
# token expires while it waits is dropped without being sent again.
# Usage: upload_retry.sh SIM LISTENER APPDIR
set -euo pipefail
source "$(dirname "$0")/upload_support.sh"

uploads_in() { ls -A "$1/Uploads" 2>/dev/null || true; }
posts() { grep -c '^POST /cgi/recording' "$1/requests.log" || true; }

# The simulator on the game folder $1, printing into $2, reading its script from fd 3 as the
# test writes it.
start_stepped() {
  local fifo
  fifo=$(mktemp -u "$scratch/steps.XXXXXX")
  mkfifo "$fifo"
  out=$2
  snapshots=0
  "$sim" --seed 5 --data "$1" --score-server "127.0.0.1:$port" - < "$fifo" > "$out" &
  sim_pid=$!
  exec 3>"$fifo"
}
has_lines() { [ "$(wc -l < "$1")" -ge "$2" ]; }
# Sends the steps given, then a snapshot, and returns once the snapshot is out: they have run.
step() {
  printf '%s\n' "$@" snapshot >&3
  snapshots=$((snapshots + 1))
  poll_for 60 has_lines "$out" "$snapshots" || { echo "FAIL: the steps $* never ran" >&2; exit 1; }
}
end_stepped() {
  printf 'quit\n' >&3
  exec 3>&-
  wait "$sim_pid" || fail "the simulator failed on $out"
  sim_pid=
}

# The game sent, its upload answered 503.
start_listener "$scratch/busy" --busy 1
game=$scratch/busy/game
game_folder "$game"
game_script > "$scratch/game.sim"
"$sim" --seed 4 --data "$game" --score-server "127.0.0.1:$port" "$scratch/game.sim" \
  > "$scratch/busy.json" || fail "the simulator failed"
snapshot=$(cat "$scratch/busy.json")
grep -q '"state":"HiScores"' <<<"$snapshot" || fail "busy: not on the table: $snapshot"
grep -q '"messages":\[\]' <<<"$snapshot" || fail "busy: a message was shown: $snapshot"
grep -q '^POST /cgi/recording?p=5eed70ce 503$' "$scratch/busy/requests.log" ||
  fail "busy: no upload answered 503: $(cat "$scratch/busy/requests.log")"
[ "$(uploads_in "$game" | wc -l)" -eq 1 ] || fail "busy: kept for later: $(uploads_in "$game")"

# Started again with no game played: nothing goes before the wait is over, then the upload
# does, off the main thread, while the game goes on in steps until the outbox is empty.
start_stepped "$game" "$scratch/again.json"
step 'wait 20000'
[ "$(posts "$scratch/busy")" -eq 1 ] || fail "again: tried before its wait was over"
[ "$(uploads_in "$game" | wc -l)" -eq 1 ] || fail "again: dropped before its wait was over"
step 'wait 15000'
sent() {
  step 'wait 500'
  [ -z "$(uploads_in "$game")" ]
}
poll_for 30 sent || fail "again: the upload is still waiting: $(uploads_in "$game")"
end_stepped
snapshot=$(tail -n 1 "$scratch/again.json")
grep -q '"messages":\[\]' <<<"$snapshot" || fail "again: a message was shown: $snapshot"
grep -q '"http":\[\]' <<<"$snapshot" || fail "again: the retry is in the snapshot: $snapshot"
stop_listener
requests=$(grep '^POST' "$scratch/busy/requests.log")
[ "$requests" = "POST /cgi/recording?p=5eed70ce 503
POST /cgi/recording?p=5eed70ce 200" ] || fail "again: uploads seen: $requests"
cmp -s "$scratch/busy/upload.bin" "$game/Recordings/$row_file" ||
  fail "again: the delivered upload is not the row's recording"
verdict=$("$sim" --verify "$scratch/busy/upload.bin" || true)
grep -q '"score":23456,.*"verdict":"complete",.*"name":"Wave"' <<<"$verdict" ||
  fail "again: the delivered upload does not replay as Wave's game: $verdict"

# A token that expires 45 s from now: kept at the 503; the window then stays in the
# background past the expiry, and on its return the upload goes unsent.
token="$(($(date +%s) + 45))Ab3dEfGhIjKl"
start_listener "$scratch/expiring" --busy 1 --token "$token"
game=$scratch/expiring/game
game_folder "$game"
start_stepped "$game" "$scratch/expiring.json"
mapfile -t played < <(game_script | sed '$d')
step "${played[@]}"
[ "$(uploads_in "$game" | wc -l)" -eq 1 ] || fail "expiring: not kept: $(uploads_in "$game")"
step 'window deactivate' 'wait 60000' 'window activate' 'wait 6000'
end_stepped
stop_listener
grep -q '"messages":\[\]' <<<"$(tail -n 1 "$scratch/expiring.json")" ||
  fail "expiring: a message was shown: $(tail -n 1 "$scratch/expiring.json")"
grep -q "^POST /cgi/recording?p=$token 503$" "$scratch/expiring/requests.log" ||
  fail "expiring: no upload answered 503: $(cat "$scratch/expiring/requests.log")"
[ "$(posts "$scratch/expiring")" -eq 1 ] ||
  fail "expiring: sent again after its token expired: $(cat "$scratch/expiring/requests.log")"
[ -z "$(uploads_in "$game")" ] || fail "expiring: still kept: $(uploads_in "$game")"

[ "$failures" -eq 0 ] || exit 1
echo "a 503 kept the upload, a later start delivered it, an expired one went unsent"
