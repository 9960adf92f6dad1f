# A private Xvfb for the shell tests that open real windows, on a display number the server
# picks itself (-displayfd), so tests running side by side never share one. Sourced after
# poll.sh.
#
# xvfb_start SCREEN LOG FOLDER  starts it (SCREEN as WxHxDEPTH, its output appended to LOG,
#                               FOLDER a scratch folder of the caller); sets xvfb_pid and
#                               exports DISPLAY. Fails, leaving nothing running, when no
#                               server of its own answered after three tries.

xvfb_pid=

# Whether the display named in $1 answers.
xvfb_answers() {
  local name
  name=$(head -n 1 "$1" 2>/dev/null) && [ -n "$name" ] &&
    DISPLAY=":$name" xprop -root >/dev/null 2>&1
}

xvfb_start() {
  local screen=$1 log=$2 folder=$3 attempt
  for attempt in 1 2 3; do
    : >"$folder/display"
    # -noreset: the check below is the first client; when it leaves, the server must not
    # regenerate under the next one (which then fails to open the display).
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$folder/display" >>"$log" 2>&1 &
    xvfb_pid=$!
    # The number is written once the server holds the display; nothing is started on it
    # before it answers there.
    if poll_for --while-alive "$xvfb_pid" 60 xvfb_answers "$folder/display"; then
      export DISPLAY=":$(head -n 1 "$folder/display")"
      return 0
    fi
    echo "xvfb_start: try $attempt: no display of our own answered (display '$(cat "$folder/display")')" >>"$log"
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
  done
  return 1
}
