#!/bin/sh
# Measures the score server on PostgreSQL, in one run on loopback:
#   - submissions acknowledged per second through one server, then through two behind nginx
#     (round robin), side by side;
#   - proofs per second of one verifier: brinecast-replay run one recording after another, each
#     a fresh process, start-up included, for a short game and one of over a minute.
#   bench/scores_cluster.sh [BUILD_DIR] [SECONDS]
# Needs wrk, nginx-light and PostgreSQL 15; run as root (the database runs as postgres).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
seconds=${2:-5}
server=$build/brinecast-scores
replayer=$build/brinecast-replay
sim=$build/brinecast-sim
pgbin=/usr/lib/postgresql/15/bin
nginx=$(command -v nginx || echo /usr/sbin/nginx)
for tool in wrk curl runuser; do
  command -v $tool >/dev/null 2>&1 || { echo "needs $tool" >&2; exit 2; }
done
[ -x "$nginx" ] || { echo "needs nginx" >&2; exit 2; }
[ -x "$pgbin/initdb" ] || { echo "needs PostgreSQL 15 in $pgbin" >&2; exit 2; }
for program in "$server" "$replayer" "$sim"; do
  [ -x "$program" ] || { echo "no $program: build the game and its server first" >&2; exit 2; }
done

dir=$(mktemp -d /tmp/brinecast-cluster-XXXXXX)
chmod 755 "$dir"
pids=""
cleanup() {
  for pid in $pids; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true; done
  [ -f "$dir/nginx.pid" ] && kill "$(cat "$dir/nginx.pid")" 2>/dev/null || true
  [ -d "$dir/pg/data" ] && runuser -u postgres -- "$pgbin/pg_ctl" -D "$dir/pg/data" -m fast -w stop \
    >/dev/null 2>&1 || true
  rm -rf "$dir"
}
trap cleanup EXIT INT TERM

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}
wait_for() {  # URL: until it answers, at most 10 s
  tries=0
  until curl -fsS "$1" >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -lt 100 ] || { echo "no answer from $1" >&2; exit 1; }
    sleep 0.1
  done
}

# A throw-away database cluster, reached through its socket folder.
mkdir -p "$dir/pg"
chown postgres "$dir/pg"
pgport=$(free_port)
runuser -u postgres -- "$pgbin/initdb" -D "$dir/pg/data" -A trust -U brinecast >/dev/null
runuser -u postgres -- "$pgbin/pg_ctl" -D "$dir/pg/data" -l "$dir/pg/log" -w \
  -o "-p $pgport -k $dir/pg -c listen_addresses=''" start >/dev/null
db="postgresql://brinecast@/postgres?host=$dir/pg&port=$pgport"

start_server() {  # PORT: a server on the database, trusting the proxy's forwarded address
  "$server" --port "$1" --db "$db" --checks-per-minute 1000000 --trusted-proxy 127.0.0.1 \
    --verify-workers 0 >>"$dir/server.out" 2>>"$dir/server-$1.log" &
  pids="$pids $!"
  wait_for "http://127.0.0.1:$1/health"
}
submissions() {  # URL: scores acknowledged per second
  wrk -t2 -c20 -d"${seconds}s" -s "$here/scores_submit.lua" "$1" |
    awk '/^acknowledged/ { print $2 / $6 }'
}

one=$(free_port)
two=$(free_port)
front=$(free_port)
start_server "$one"
start_server "$two"
cat >"$dir/nginx.conf" <<CONF
worker_processes 1;
pid $dir/nginx.pid;
error_log $dir/nginx-error.log;
events { worker_connections 1024; }
http {
  access_log off;
  client_body_temp_path $dir/body;
  proxy_temp_path $dir/proxy;
  upstream scores { server 127.0.0.1:$one; server 127.0.0.1:$two; keepalive 32; }
  server {
    listen 127.0.0.1:$front;
    location / {
      proxy_pass http://scores;
      proxy_http_version 1.1;
      proxy_set_header Connection "";
      proxy_set_header X-Forwarded-For \$http_x_forwarded_for;
    }
  }
}
CONF
"$nginx" -c "$dir/nginx.conf" -p "$dir" -e "$dir/nginx-error.log"
wait_for "http://127.0.0.1:$front/health"

echo "PostgreSQL 15 on a socket; wrk -t2 -c20 -d${seconds}s on loopback"
alone=$(submissions "http://127.0.0.1:$one/")
pair=$(submissions "http://127.0.0.1:$front/")
printf "%-40s %8.0f /s\n" "submissions, one server" "$alone"
printf "%-40s %8.0f /s  (%.2fx one)\n" "submissions, two servers behind nginx" "$pair" \
  "$(awk -v a="$alone" -v b="$pair" 'BEGIN { print b / a }')"

# Games fished until the clock ends them, recorded by the simulator: seed 88 of this script plays
# a full minute and more (4,018 frames of 16 ms), seed 10 a short game. Each proof is a fresh
# brinecast-replay, start-up included; the two also give what a start and a frame cost.
script=$dir/fishing.sim
{
  echo "press Enter"
  i=0
  while [ $i -lt 150 ]; do
    echo "key down Down"; echo "wait 550"; echo "key up Down"; echo "wait 700"
    i=$((i + 1))
  done
} >"$script"
runs=40
prove() {  # SEED: "frames seconds-per-proof" of that game
  "$sim" --seed "$1" --record "$dir/game$1.bcreplay" "$script" >/dev/null
  start=$(date +%s.%N)
  i=0
  while [ $i -lt $runs ]; do
    "$replayer" --data "$build/AppDir" <"$dir/game$1.bcreplay" >"$dir/verdict.json"
    i=$((i + 1))
  done
  end=$(date +%s.%N)
  grep -q '"verdict":"complete"' "$dir/verdict.json" || { cat "$dir/verdict.json" >&2; exit 1; }
  frames=$(sed -n 's/.*"frames":\([0-9]*\).*/\1/p' "$dir/verdict.json")
  awk -v n=$runs -v s="$start" -v e="$end" -v f="$frames" 'BEGIN { print f, (e - s) / n }'
}
short=$(prove 10)
long=$(prove 88)
echo "$short" | awk '{ printf "%-40s %8.1f /s  (%d frames, %.1f ms each)\n",
  "proofs, one verifier, a short game", 1 / $2, $1, $2 * 1000 }'
echo "$long" | awk '{ printf "%-40s %8.1f /s  (%d frames, %.1f ms each; goal 20)\n",
  "proofs, one verifier, a one-minute game", 1 / $2, $1, $2 * 1000 }'
echo "$short $long" | awk '{
  per = ($4 - $2) / ($3 - $1)
  printf "%-40s %8.1f ms a start, %.1f us a frame\n", "what a proof costs", ($2 - $1 * per) * 1000,
    per * 1e6
}'
