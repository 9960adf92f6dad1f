#!/usr/bin/env bash
# The screenshot script gives every picture the metainfo names, each a full drawn 800 x 600 frame.
here=$(dirname "$0")
source "$here/lib.sh"
sim=$1
script=$2
build=$3
metainfo=("$build"/packaging/*.metainfo.xml)
mkdir -p "$scratch/shots"
(cd "$scratch/shots" && "$sim" --seed 7 "$script" >"$scratch/sim.out" 2>&1) ||
  { cat "$scratch/sim.out" >&2; echo "FAIL: the screenshot script did not run" >&2; exit 1; }
names=$(sed -n 's|.*<image>.*/\([^/<]*\.png\)</image>.*|\1|p' "${metainfo[0]}")
[ "$(wc -l <<<"$names")" -ge 3 ] || fail "the metainfo names too few screenshots: $names"
for name in $names; do
  shot="$scratch/shots/$name"
  if [ -f "$shot" ]; then
    [ "$(png_size "$shot")" = 800x600 ] || fail "$name is $(png_size "$shot")"
    colours=$(/usr/bin/convert "$shot" -format %k info:)
    [ "$colours" -gt 500 ] || fail "$name shows only $colours colours"
  else
    fail "the script made no $name"
  fi
done
# Each shows a different screen.
sums=$(cd "$scratch/shots" && md5sum $names | cut -d' ' -f1 | sort -u | wc -l)
[ "$sums" = "$(wc -l <<<"$names")" ] || fail "two screenshots are the same picture"
finish
