#!/bin/sh
# The simulator's command line: what it does not understand ends it with status 2, its reason
# and the usage, before any game runs; a value goes after its option or after "=".
# Usage: sim_command_line.sh SIM
set -u
sim=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
printf 'wait 20\n' > "$tmp/ok.sim"
script="$tmp/ok.sim"

# arguments | status | text standard error must hold (empty: nothing)
failed=0
while IFS='|' read -r args want text; do
  status=0
  # shellcheck disable=SC2086  # the arguments are split on purpose
  "$sim" $args > "$tmp/out" 2> "$tmp/err" || status=$?
  if [ "$status" != "$want" ]; then
    echo "brinecast-sim $args: status $status, expected $want"
    failed=1
  fi
  if [ -n "$text" ] && ! grep -Eq -- "$text" "$tmp/err"; then
    echo "brinecast-sim $args: no '$text' on stderr: $(head -c 300 "$tmp/err")"
    failed=1
  fi
  if [ "$want" = 2 ] && ! grep -q "^usage: brinecast-sim" "$tmp/err"; then
    echo "brinecast-sim $args: no usage on stderr"
    failed=1
  fi
done <<CASES
|2|no script given
--bogus $script|2|unknown option --bogus
--bogus=1 $script|2|unknown option --bogus$
$script $script|2|more than one script given
--seed|2|--seed needs a value
$script --data|2|--data needs a value
--seed x $script|2|bad number for --seed: 'x'
--seed=-1 $script|2|bad number for --seed: '-1'
--frame-ms 12x $script|2|bad number for --frame-ms: '12x'
--seed=18446744073709551616 $script|2|bad number for --seed
--score-server a/b $script|2|bad server address 'a/b'
--verify $tmp/none.bcreplay $script|2|takes no script and no --record
--verify=$tmp/none.bcreplay --record=$tmp/r|2|takes no script and no --record
--seed 5 --frame-ms=3 $script|0|
--seed=18446744073709551615 --score-server=127.0.0.1:1 $script|0|
CASES
[ "$failed" = 0 ] && echo "every command line was read as it should be"
exit "$failed"
