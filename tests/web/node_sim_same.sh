#!/usr/bin/env bash
# Runs one simulator script natively and under node, each in a fresh folder, and fails on
# any difference: standard output, exit status, and every file the runs leave behind.
# Usage: node_sim_same.sh NATIVE_SIM NODE_SIM_JS SCRIPT WORKDIR
set -u
native=$1 web=$2 script=$3 work=$4
rm -rf "$work" && mkdir -p "$work/native" "$work/node"

# The script's own options (`#args`, %here% its folder), else the scenarios' default seed.
here=$(cd "$(dirname "$script")" && pwd)
args=(--seed 1)
line=$(grep -m1 '^#args ' "$script" || true)
if [ -n "$line" ]; then
  read -r -a args <<<"${line#\#args }"
  args=("${args[@]//%here%/$here}")
fi

(cd "$work/native" && "$native" "${args[@]}" "$script" >../native.out 2>../native.err)
echo $? >"$work/native.status"
(cd "$work/node" && node "$web" "${args[@]}" "$script" >../node.out 2>../node.err)
echo $? >"$work/node.status"

failed=0
for what in status out; do
  if ! cmp -s "$work/native.$what" "$work/node.$what"; then
    echo "$(basename "$script"): the ${what} differs (native < > node):"
    diff "$work/native.$what" "$work/node.$what" | head -20
    failed=1
  fi
done
if ! diff -r "$work/native" "$work/node" >"$work/files.diff"; then
  echo "$(basename "$script"): the files written differ:"
  head -20 "$work/files.diff"
  failed=1
fi
if ((failed)); then
  echo "--- native stderr:" && tail -5 "$work/native.err"
  echo "--- node stderr:" && tail -5 "$work/node.err"
fi
exit "$failed"
