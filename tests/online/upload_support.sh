# Shared by the upload tests: a scratch folder removed at exit, the stand-in score server
# started and stopped by its pid, game folders and the script of a game sent online.
# Sourced with the test's arguments: SIM LISTENER APPDIR (the built game's folder).
sim=$1
listener=$2
appdir=$3
source "$(dirname "${BASH_SOURCE[0]}")/../support/poll.sh"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/brinecast-upload.XXXXXX")
listener_pid=
sim_pid=
stop_listener() {
  if [ -n "$listener_pid" ]; then
    kill "$listener_pid" 2>/dev/null || true
    wait "$listener_pid" 2>/dev/null || true
    listener_pid=
  fi
}
# A simulator a test left running is ended by its own pid.
stop_sim() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    sim_pid=
  fi
}
cleanup() {
  stop_sim
  stop_listener
  rm -rf "$scratch"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Starts the listener with "$@" logging into $1 and sets port once it serves.
start_listener() {
  local logs=$1
  shift
  mkdir -p "$logs"
  "$listener" --port-file "$logs/port" --log-dir "$logs" --lifetime 120 "$@" &
  listener_pid=$!
  poll_for 30 test -s "$logs/port" || { echo "FAIL: the listener never told its port" >&2; exit 1; }
  port=$(cat "$logs/port")
}

# A game folder of its own, so its Recordings/ can be looked at after the run.
game_folder() {
  mkdir -p "$1"
  ln -s "$appdir/Data" "$1/Data"
  ln -s "$appdir/Sound" "$1/Sound"
}

# A game quit with a qualifying score, the name typed, the send box ticked, and Enter.
game_script() {
  printf 'press Enter\nwait 2100\nset Score 23456\npress Escape\npress Enter\nwait 50\n'
  printf 'press W\npress A\npress V\npress E\n'
  printf 'mouse move 387 376\nclick\npress Enter\nwait 100\nsnapshot\n'
}
# The file of the row that game makes.
row_file=row-57617665-23456-1.bcreplay  # "Wave" in hex
