#!/bin/sh
# Measures the score server beside nginx serving a static copy of the same world page, in
# one run on loopback with 20 connections (wrk), then submissions with a kill -9 in the middle
# and a count that every acknowledged score is in the database.
#   bench/scores_load.sh [BUILD_DIR] [SECONDS]
# Needs wrk and nginx-light. Prints requests per second and each rate's ratio to nginx.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
seconds=${2:-5}
server=$build/brinecast-scores
for tool in wrk nginx curl; do
  command -v $tool >/dev/null 2>&1 || [ -x /usr/sbin/$tool ] || { echo "needs $tool" >&2; exit 2; }
done
nginx=$(command -v nginx || echo /usr/sbin/nginx)
[ -x "$server" ] || { echo "no $server: build brinecast-scores first" >&2; exit 2; }

dir=$(mktemp -d /tmp/brinecast-load-XXXXXX)
spid=""
cleanup() {
  [ -n "$spid" ] && kill "$spid" 2>/dev/null && wait "$spid" 2>/dev/null || true
  [ -f "$dir/nginx.pid" ] && kill "$(cat "$dir/nginx.pid")" 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT INT TERM

# Free ports, asked of the kernel.
free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}
port=$(free_port)
nport=$(free_port)

start_server() {
  # The page and check runs come from one address; submissions through wrk as a trusted proxy
  # from many, with the default limit on submissions.
  "$server" --port "$port" --db "$dir/scores.db" --checks-per-minute 1000000 \
    --trusted-proxy 127.0.0.1 \
    >>"$dir/server.out" 2>>"$dir/server.log" &
  spid=$!
  tries=0
  until curl -fsS "http://127.0.0.1:$port/health" >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -lt 100 ] || { echo "server did not start" >&2; cat "$dir/server.log" >&2; exit 1; }
    sleep 0.1
  done
}

rate() {  # wrk's requests per second from its output
  awk '/^Requests\/sec:/ { print $2 }'
}

start_server
# A table of 100 rows first, so the page has its full size.
wrk -t2 -c20 -d2s -s "$here/scores_submit.lua" "http://127.0.0.1:$port/" >/dev/null
world="/cgi/version.pl?prg=Brinecast&show&type=0"
mkdir -p "$dir/www"
curl -fsS "http://127.0.0.1:$port$world" >"$dir/www/world.html"

cat >"$dir/nginx.conf" <<CONF
worker_processes auto;
pid $dir/nginx.pid;
error_log $dir/nginx-error.log;
events { worker_connections 1024; }
http {
  types { text/html html; }
  access_log $dir/nginx-access.log;
  server {
    listen 127.0.0.1:$nport;
    root $dir/www;
  }
}
CONF
"$nginx" -c "$dir/nginx.conf" -p "$dir" -e "$dir/nginx-error.log"
sleep 0.3

echo "page of $(wc -c <"$dir/www/world.html") bytes; wrk -t2 -c20 -d${seconds}s on loopback"
n=$(wrk -t2 -c20 -d"${seconds}s" "http://127.0.0.1:$nport/world.html" | rate)
w=$(wrk -t2 -c20 -d"${seconds}s" "http://127.0.0.1:$port$world" | rate)
c=$(wrk -t2 -c20 -d"${seconds}s" "http://127.0.0.1:$port/cgi/version.pl?version&prg=Brinecast" | rate)
line=$(wrk -t2 -c20 -d"${seconds}s" -s "$here/scores_submit.lua" "http://127.0.0.1:$port/" |
  grep '^acknowledged')
s=$(echo "$line" | awk '{ print $2 / $6 }')
awk -v n="$n" -v w="$w" -v c="$c" -v s="$s" 'BEGIN {
  printf "%-34s %10.0f req/s\n", "nginx, static copy of the page", n
  printf "%-34s %10.0f req/s  %.2fx nginx (goal 0.5x)\n", "world page", w, w / n
  printf "%-34s %10.0f req/s  %.2fx nginx (goal 0.33x)\n", "check", c, c / n
  printf "%-34s %10.0f /s (goal 2000, SQLite)\n", "submissions acknowledged", s
}'
echo "  ($line)"

# Durability: submissions under load, the server killed with SIGKILL half way through.
before=$("$server" admin --db "$dir/scores.db" export | tail -n +2 | wc -l)
wrk -t2 -c20 -d4s -s "$here/scores_submit.lua" "http://127.0.0.1:$port/" >"$dir/kill.out" 2>&1 &
wpid=$!
sleep 2
kill -9 "$spid"
wait "$spid" 2>/dev/null || true
spid=""
wait "$wpid" || true
acked=$(awk '/^acknowledged/ { print $2 }' "$dir/kill.out")
after=$("$server" admin --db "$dir/scores.db" export | tail -n +2 | wc -l)
stored=$((after - before))
echo "kill -9 under load: $acked acknowledged, $stored stored"
[ "$stored" -ge "$acked" ] || { echo "LOST $((acked - stored)) acknowledged scores" >&2; exit 1; }
