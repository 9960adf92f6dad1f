#!/usr/bin/env bash
# The game against our own score server on loopback: a qualifying game sent
# with the box ticked lands on the world table page; with the server stopped
# the game says it cannot connect and keeps the entry.
# Usage: online_end_to_end.sh SIM SERVER
set -u
sim=$1
server=$2
tmp=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
source "$(dirname "$0")/../support/poll.sh"

# Whether any socket here uses the port, so another test's server is never taken for ours.
port_in_use() {
  awk -v p="$(printf ':%04X' "$1")" '$2 ~ p "$" { found = 1 } END { exit !found }' \
    /proc/net/tcp /proc/net/tcp6 2>/dev/null
}

# Whether our server runs and answers on the port.
answers() { kill -0 "$pid" 2>/dev/null && curl -s -o /dev/null "http://127.0.0.1:$1/"; }

# A free port: try a few until the server answers on one.
port=
for candidate in $(seq 38765 38795); do
  port_in_use "$candidate" && continue
  "$server" --port "$candidate" --db "$tmp/scores.db" > "$tmp/server.log" 2>&1 &
  pid=$!
  # A server that ended (its port taken after all) sends us on to the next port.
  poll_for --while-alive "$pid" 5 answers "$candidate" && port=$candidate
  [ -n "$port" ] && break
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; pid=
done
[ -n "$port" ] || fail "the score server would not start"

# A game quit with a qualifying score, the name typed (one key a letter), the
# send box ticked, and Enter.
game_script() {
  printf 'press Enter\nwait 2100\nset Score 23456\npress Escape\npress Enter\nwait 50\n'
  for letter in "$@"; do printf 'press %s\n' "$letter"; done
  printf 'mouse move 387 376\nclick\npress Enter\nwait 100\nsnapshot\n'
}

game_script W A V E > "$tmp/game.sim"
"$sim" --seed 4 --score-server "127.0.0.1:$port" "$tmp/game.sim" > "$tmp/sent.json" ||
  fail "the simulator failed"
grep -q '"state":"HiScores"' "$tmp/sent.json" || fail "not on the table: $(cat "$tmp/sent.json")"
grep -q '"highScores":\[\["Wave",23456\]' "$tmp/sent.json" || fail "not in the local table"
grep -q '"messages":\[\]' "$tmp/sent.json" || fail "a message was shown: $(cat "$tmp/sent.json")"
curl -s "http://127.0.0.1:$port/cgi/version.pl?prg=Brinecast&show&type=0" > "$tmp/page.html" ||
  fail "no world table page"
grep -q "Wave" "$tmp/page.html" || fail "the name is not on the world table page"

# The server goes away: the entry stays, and says why.
kill "$pid"; wait "$pid" 2>/dev/null; pid=
game_script W > "$tmp/down.sim"
"$sim" --seed 4 --score-server "127.0.0.1:$port" "$tmp/down.sim" > "$tmp/down.json" ||
  fail "the simulator failed with the server down"
grep -q '"state":"EnterName"' "$tmp/down.json" || fail "left the entry: $(cat "$tmp/down.json")"
grep -q "\"messageBox\":\"Can't connect to server!\"" "$tmp/down.json" || fail "no message"
echo "sent, shown, and refused politely when the server is gone"
