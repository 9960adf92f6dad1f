# Shared by the shell tests: waiting for a condition, never for a fixed time.

# Runs the command after $1 every tenth of a second until it succeeds; fails after $1 seconds.
poll_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
