#!/usr/bin/env bash
# The game's command line: help and version, and a short usage with status 2 for what it does
# not understand, all before any window opens.
here=$(dirname "$0")
source "$here/lib.sh"
game=$1
mkdir -p "$scratch/home"

# arguments | status | stream | text that stream must hold
cases=(
  "--help|0|out|--fullscreen "
  "--help|0|out|--data DIR"
  "--version|0|out|^brinecast [0-9]+\\.[0-9]+"
  "--bogus|2|err|unknown option '--bogus'"
  "--bogus|2|err|^Usage: brinecast "
  "-w|2|err|unknown option '-w'"
  "--windowed|2|err|unknown option '--windowed'"
  "play|2|err|unexpected argument 'play'"
  "--data|2|err|option '--data' needs a folder"
  "--data=|2|err|option '--data' needs a folder"
  "--window --fullscreen|2|err|cannot be used together"
  "--window --help|0|out|--window "
  "--help|0|out|--seed N "
  "--seed|2|err|option '--seed' needs a number"
  "--seed=|2|err|option '--seed' needs a number"
  "--seed x|2|err|option '--seed' needs a whole number .*not 'x'"
  "--seed -1|2|err|not '-1'"
  "--seed=+1|2|err|not '\\+1'"
  "--seed 12x|2|err|not '12x'"
  "--seed 18446744073709551616|2|err|not '18446744073709551616'"
  "--seed=3x --window|2|err|not '3x'"
  "--seed=7 --bogus|2|err|unknown option '--bogus'"
  "--window=1|2|err|unknown option '--window=1'"
  "--seed 18446744073709551615 --data $scratch/none|1|err|no Data folder in $scratch/none"
  "--seed=0 --data=$scratch/none|1|err|no Data folder in $scratch/none"
  "--data $scratch/none|1|err|no Data folder in $scratch/none"
  "--data=$scratch/none --window|1|err|no Data folder in $scratch/none"
)
for case in "${cases[@]}"; do
  IFS='|' read -r args want stream text <<<"$case"
  read -r -a argv <<<"$args"
  status=0
  player_env timeout 20 "$game" "${argv[@]}" >"$scratch/out" 2>"$scratch/err" || status=$?
  [ "$status" = "$want" ] || fail "brinecast $args: status $status, expected $want"
  grep -Eq -- "$text" "$scratch/$stream" || fail "brinecast $args: no '$text' on std$stream"
  other=out
  [ "$stream" = out ] && other=err
  [ ! -s "$scratch/$other" ] || fail "brinecast $args: unexpected std$other: $(head -c 300 "$scratch/$other")"
done

# Help and version take no data and no display, and make no player's folder.
[ ! -e "$scratch/home/.local" ] || fail "asking for help made $scratch/home/.local"
finish
