#!/usr/bin/env bash
# Verification under node against native: records one game natively, then times --verify
# of it RUNS times with each simulator and prints the medians and their ratio.
# Usage: bench/web_verify.sh NATIVE_SIM NODE_SIM_JS [RUNS]
# (build/brinecast-sim and build-web/brinecast-sim.js after scripts/web.sh --build-only)
set -euo pipefail
native=$1 web=$2 runs=${3:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$native" --seed 5 --record "$work/game.rec" "$root/tests/web/play_a_game.sim" >/dev/null

median_ms() {
  local times=() start
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$@" --verify "$work/game.rec" >/dev/null
    times+=($((($(date +%s%N) - start) / 1000000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p"
}
native_ms=$(median_ms "$native")
node_ms=$(median_ms node "$web")
echo "verify: native ${native_ms} ms, node ${node_ms} ms (median of $runs)"
awk -v a="$node_ms" -v b="$native_ms" 'BEGIN { printf "node / native: %.2fx (aim: under 3x)\n", a / b }'
