# A brinecast-scores of the test's own on a free loopback port, for scripts that source this
# and poll.sh.
# It counts as ready once a listening socket of that very process holds the port: asking it over
# HTTP could be answered by someone else's server, and would leave connections behind that can
# keep the port from being taken again after a restart.
#
# score_server_start SERVER DB LOG [PORT]  sets score_server_pid and score_server_port
# score_server_stop                         ends it by its pid and waits for it
# world_page URL_OUT                        the world high-score page into a file

score_server_pid=
score_server_port=

# Whether process $1 listens on 127.0.0.1 port $2.
score_server_listens() {
  local pid=$1 hex want inodes=" " link
  printf -v hex '%04X' "$2"
  for link in /proc/"$pid"/fd/*; do
    link=$(readlink "$link" 2>/dev/null) || continue
    case $link in socket:\[*\]) inodes+="${link:8:-1} " ;; esac
  done
  # /proc/net/tcp: local address as hex IP:port, state 0A is LISTEN, the inode is field 10.
  while read -r _ local _ state _ _ _ _ _ inode _; do
    [ "$local" = "0100007F:$hex" ] && [ "$state" = 0A ] || continue
    case $inodes in *" $inode "*) return 0 ;; esac
  done </proc/net/tcp
  return 1
}

# Whether any socket of this machine uses port $1 (any address, any state).
score_port_in_use() {
  local hex
  printf -v hex '%04X' "$1"
  grep -q ":$hex " /proc/net/tcp /proc/net/tcp6 2>/dev/null
}

# Further options for every server started (say, --game-data DIR to prove scores).
score_server_args=()

score_server_start() {
  local server=$1 db=$2 log=$3 port=${4:-} tries candidate
  for tries in 1 2 3 4 5 6 7 8 9 10; do
    candidate=$port
    if [ -z "$candidate" ]; then
      candidate=$((20000 + RANDOM % 30000))
      score_port_in_use "$candidate" && continue
    fi
    "$server" --bind 127.0.0.1 --port "$candidate" --db "$db" "${score_server_args[@]}" >>"$log" 2>&1 &
    score_server_pid=$!
    if poll_for --while-alive "$score_server_pid" 20 \
      score_server_listens "$score_server_pid" "$candidate"; then
      score_server_port=$candidate
      return 0
    fi
    score_server_stop
    # A port asked for by name is not swapped for another.
    [ -z "$port" ] || return 1
  done
  return 1
}

score_server_stop() {
  [ -n "$score_server_pid" ] || return 0
  kill "$score_server_pid" 2>/dev/null || true
  wait "$score_server_pid" 2>/dev/null || true
  score_server_pid=
}

world_page() {
  curl -s -f --max-time 20 -o "$1" \
    "http://127.0.0.1:$score_server_port/cgi/version.pl?prg=Brinecast&show&type=0"
}
