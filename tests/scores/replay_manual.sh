#!/bin/bash
# The replayer's manual page renders without a warning and explains every member of the
# report the built replayer prints, and its one option.
set -euo pipefail
page=$1 replayer=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
man --warnings -E UTF-8 -l "$page" >"$scratch/man.txt" 2>"$scratch/man.err" || fail "man could not render $page"
[ ! -s "$scratch/man.err" ] || fail "man warns: $(cat "$scratch/man.err")"
# An empty recording is damaged, but the report still holds every member.
report=$("$replayer" --data "$scratch" </dev/null || true)
keys=$(grep -o '"[a-z]*":' <<<"$report" | tr -d '":')
[ -n "$keys" ] || fail "the replayer printed no report: $report"
for word in $keys --data; do
  grep -qw -- "$word" "$scratch/man.txt" || fail "the manual page does not explain $word"
done
echo "manual page explains: $(echo $keys) --data"
