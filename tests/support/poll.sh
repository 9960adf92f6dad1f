# Shared by the shell tests: waiting for a condition, never for a fixed time.
#
# poll_for [--every PACE] [--while-alive PID] SECONDS COMMAND...
#   Runs COMMAND until it succeeds, every tenth of a second (or every PACE seconds, for costly
#   looks such as screenshots or pages). Fails after SECONDS, or as soon as process PID has
#   ended: whoever was to bring the condition about is gone.
# holds_for SECONDS COMMAND...
#   COMMAND keeps succeeding, asked every tenth of a second, for SECONDS; fails at its first
#   failure. The span is what is checked (nothing happens meanwhile), not a wait.
#
# The locals carry a prefix: COMMAND runs in the caller's shell and sees them, so a plain
# `pid` or `deadline` here would hide the caller's own.

poll_for() {
  local _poll_pace=0.1 _poll_pid= _poll_deadline
  while :; do
    case $1 in
      --every) _poll_pace=$2 ;;
      --while-alive) _poll_pid=$2 ;;
      *) break ;;
    esac
    shift 2
  done
  _poll_deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    if [ -n "$_poll_pid" ] && ! kill -0 "$_poll_pid" 2>/dev/null; then return 1; fi
    [ "$SECONDS" -lt "$_poll_deadline" ] || return 1
    sleep "$_poll_pace"
  done
}

_poll_not() { ! "$@"; }

holds_for() {
  local _poll_span=$1
  shift
  ! poll_for "$_poll_span" _poll_not "$@"
}
