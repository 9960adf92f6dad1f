#!/usr/bin/env bash
# The simulator against a stand-in score server on loopback: a game sent with the box ticked
# uploads its recording, named by the check's token, after the check and the submission; the
# recording is the one kept for the new table row, stamped with the player's name. A server
# that does not know the upload's path answers 404 and the game goes on as though nothing
# happened, and without a server the upload takes none of the replies a script queued.
# Usage: recording_upload.sh SIM LISTENER APPDIR
set -euo pipefail
source "$(dirname "$0")/upload_support.sh"

game_script > "$scratch/game.sim"

start_listener "$scratch/known"
game_folder "$scratch/known/game"
"$sim" --seed 4 --data "$scratch/known/game" --score-server "127.0.0.1:$port" \
  "$scratch/game.sim" > "$scratch/known.json" || fail "the simulator failed"
stop_listener
snapshot=$(cat "$scratch/known.json")
grep -q '"state":"HiScores"' <<<"$snapshot" || fail "not on the table: $snapshot"
grep -q '"highScores":\[\["Wave",23456\]' <<<"$snapshot" || fail "not in the local table"
grep -q '"messages":\[\]' <<<"$snapshot" || fail "a message was shown: $snapshot"
# The snapshot lists the two score requests only.
grep -q "\"http\":\[\"http://127.0.0.1:$port/cgi/version.pl?version&prg=Brinecast\",\"http://127.0.0.1:$port/cgi/version.pl?hs&prg=Brinecast&inf=[^\"]*\"\]" \
  <<<"$snapshot" || fail "the http list is not the check and the submission: $snapshot"
# The server saw the check, the submission, then the upload with the check's token.
requests=$(cut -d' ' -f1,2 "$scratch/known/requests.log" | sed 's/inf=[^ ]*/inf=.../')
expected="GET /cgi/version.pl?version&prg=Brinecast
GET /cgi/version.pl?hs&prg=Brinecast&inf=...
POST /cgi/recording?p=5eed70ce"
[ "$requests" = "$expected" ] || fail "requests seen: $requests"
[ "$(cat "$scratch/known/upload.txt" 2>/dev/null)" = "token 5eed70ce
type application/x-brinecast-recording" ] || fail "upload: $(cat "$scratch/known/upload.txt" 2>&1)"
[ -z "$(ls -A "$scratch/known/game/Uploads" 2>/dev/null)" ] || fail "a taken upload was kept"
recordings="$scratch/known/game/Recordings"
[ -s "$recordings/$row_file" ] || fail "no recording for the new row: $(ls -A "$recordings" 2>&1)"
cmp -s "$scratch/known/upload.bin" "$recordings/$row_file" ||
  fail "the upload is not the row's recording"
cmp -s "$recordings/last.bcreplay" "$recordings/$row_file" ||
  fail "the last game's recording is not the row's"
verdict=$("$sim" --verify "$scratch/known/upload.bin" || true)
grep -q '"score":23456,.*"verdict":"complete",.*"name":"Wave"' <<<"$verdict" ||
  fail "the upload does not replay as Wave's game: $verdict"

# A server without the upload's path: 404, and the game goes on silently.
start_listener "$scratch/unknown" --unknown-recording-path
game_folder "$scratch/unknown/game"
"$sim" --seed 4 --data "$scratch/unknown/game" --score-server "127.0.0.1:$port" \
  "$scratch/game.sim" > "$scratch/unknown.json" || fail "the simulator failed against a 404"
stop_listener
snapshot=$(cat "$scratch/unknown.json")
grep -q '"state":"HiScores"' <<<"$snapshot" || fail "404: not on the table: $snapshot"
grep -q '"messages":\[\]' <<<"$snapshot" || fail "404: a message was shown: $snapshot"
grep -q '^POST /cgi/recording?p=5eed70ce 404$' "$scratch/unknown/requests.log" ||
  fail "404: no upload tried: $(cat "$scratch/unknown/requests.log")"
[ -s "$scratch/unknown/game/Recordings/$row_file" ] || fail "404: the row's recording is not kept"
[ -z "$(ls -A "$scratch/unknown/game/Uploads" 2>/dev/null)" ] || fail "404: kept for another try"

# No server, replies queued: two games sent in turn. Were an upload to take a queued reply,
# the second check would get "Thanks" and the game would say it cannot connect.
{
  printf 'http reply OK|1|||tokA|\nhttp reply OK\nhttp reply OK|1|||tokB|\nhttp reply Thanks\n'
  game_script | sed '$d'
  printf 'press Escape\nwait 50\npress Up\npress Up\n'
  printf 'press Enter\nwait 2100\nset Score 30000\npress Escape\npress Enter\nwait 50\n'
  printf 'press T\npress I\npress D\npress E\npress Enter\nwait 100\nsnapshot\n'
} > "$scratch/queued.sim"
game_folder "$scratch/queued"
"$sim" --seed 4 --data "$scratch/queued" "$scratch/queued.sim" > "$scratch/queued.json" ||
  fail "the simulator failed with queued replies"
snapshot=$(cat "$scratch/queued.json")
grep -q '"state":"HiScores"' <<<"$snapshot" || fail "queued: not on the table: $snapshot"
grep -q '"highScores":\[\["Wavetide",30000\],\["Wave",23456\]' <<<"$snapshot" ||
  fail "queued: the table: $snapshot"
grep -q '"messages":\[\]' <<<"$snapshot" || fail "queued: a message was shown: $snapshot"
check='"http://localhost:8765/cgi/version.pl?version&prg=Brinecast"'
submit='"http://localhost:8765/cgi/version.pl?hs&prg=Brinecast&inf=[^"]*"'
grep -q "\"http\":\[$check,$submit,$check,$submit\]" <<<"$snapshot" ||
  fail "queued: the http list is not two checks and submissions: $snapshot"
for kept in "$row_file:Wave" "row-5761766574696465-30000-1.bcreplay:Wavetide"; do
  verdict=$("$sim" --verify "$scratch/queued/Recordings/${kept%%:*}" || true)
  grep -q "\"name\":\"${kept#*:}\"" <<<"$verdict" || fail "queued: ${kept%%:*}: $verdict"
done

[ "$failures" -eq 0 ] || exit 1
echo "uploaded with the check's token, kept for the row, a 404 passed silently, queued replies untouched"
