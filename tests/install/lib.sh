# Shared by the install tests: a scratch folder removed at exit, processes of our own ended
# by their id, and failures that say what went wrong without stopping the other checks.
set -euo pipefail

scratch=$(mktemp -d "${TMPDIR:-/tmp}/brinecast-install-test.XXXXXX")
own_pids=()
cleanup() {
  local pid
  for pid in "${own_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
}

# Installs the build into a prefix of the scratch folder.
install_into() {
  cmake --install "$1" --prefix "$2" >"$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }
}

source "$(dirname "${BASH_SOURCE[0]}")/../support/poll.sh"

# Waits up to $2 seconds for process $1 to end; its status is in $ended_status.
process_gone() { ! kill -0 "$1" 2>/dev/null; }
wait_for_end() {
  local pid=$1
  poll_for "$2" process_gone "$pid" || return 1
  ended_status=0
  wait "$pid" || ended_status=$?
  return 0
}

# The environment of a player without a screen who asked for none: only SDL's own drivers.
# Its runtime folder is empty, so no desktop's default Wayland socket is found either.
player_env_args=(-u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u SDL_AUDIODRIVER
  HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/.local/share" XDG_RUNTIME_DIR="$scratch/runtime")
mkdir -p -m 700 "$scratch/runtime"
player_env() {
  env "${player_env_args[@]}" "$@"
}
# The same in the background, remembered in own_pids. Started through a shell function, $! would
# be the function's subshell, and ending that would leave the program running.
player_env_start() {
  env "${player_env_args[@]}" "$@" &
  own_pids+=($!)
}

# Width and height of a PNG, from its header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d\n", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
