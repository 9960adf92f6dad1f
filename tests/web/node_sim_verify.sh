#!/usr/bin/env bash
# A recording made by one simulator verifies the same under the other: a game is played and
# recorded natively and under node, and each recording is verified by both; the two
# verdicts (standard output and exit status) must be the same, and the recordings too.
# Usage: node_sim_verify.sh NATIVE_SIM NODE_SIM_JS SCRIPT WORKDIR
set -u
native=$1 web=$2 script=$3 work=$4
rm -rf "$work" && mkdir -p "$work"
run() {
  case $1 in
    native) shift && "$native" "$@" ;;
    node) shift && node "$web" "$@" ;;
  esac
}

failed=0
for maker in native node; do
  if ! run "$maker" --seed 5 --record "$work/$maker.rec" "$script" >"$work/$maker.play" 2>&1 ||
    [ ! -s "$work/$maker.rec" ]; then
    echo "the $maker simulator did not record a game:" && tail -5 "$work/$maker.play"
    exit 1
  fi
  for checker in native node; do
    run "$checker" --verify "$work/$maker.rec" >"$work/$maker.by-$checker" 2>&1
    echo "exit $?" >>"$work/$maker.by-$checker"
  done
  if ! cmp -s "$work/$maker.by-native" "$work/$maker.by-node"; then
    echo "a recording made by the $maker simulator verifies differently (native < > node):"
    diff "$work/$maker.by-native" "$work/$maker.by-node" | head -20
    failed=1
  fi
done
if ! cmp -s "$work/native.rec" "$work/node.rec"; then
  echo "the two simulators recorded the same game differently"
  failed=1
fi
exit "$failed"
