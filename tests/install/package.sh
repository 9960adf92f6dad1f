#!/usr/bin/env bash
# cpack -G DEB builds a package of the games section whose dependencies were read off the
# linked libraries, holding the install layout under /usr and nothing else; its game runs.
here=$(dirname "$0")
source "$here/lib.sh"
build=$1
scores=$2  # 1 when the score server is built
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; echo "FAIL: cpack" >&2; exit 1; }
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one package: ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = brinecast ] || fail "package name is $(field Package)"
[ "$(field Section)" = games ] || fail "section is $(field Section)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture is $(field Architecture)"
# What dpkg-shlibdeps finds in the programs, beside the fonts that only a name at run time asks for.
depends=$(field Depends)
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for package in libc6 libstdc++6 libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 libxmp4 \
  libfontconfig1 fonts-liberation fonts-comic-neue; do
  grep -qxF -- "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done
# Read off the libraries, each with the least version the programs need.
grep -q 'libsdl2-2.0-0 (>= ' <<<"$depends" || fail "no version for SDL: $depends"

dpkg-deb -c "$deb" | awk '{ print $NF }' | sed 's|^\./|/|; s|/$||' | sort >"$scratch/contents"
id=$(sed -n 's|^/usr/share/applications/\(.*\)\.desktop$|\1|p' "$scratch/contents")
[ -n "$id" ] || fail "no desktop entry in the package"
expected=(
  /usr/games/brinecast /usr/bin/brinecast-dxg
  /usr/share/games/brinecast/Data/MenuImgs.dxg /usr/share/games/brinecast/Data/GameImgs.dxg
  /usr/share/games/brinecast/Sound/1.xm /usr/share/games/brinecast/Sound/2.xm
  "/usr/share/applications/$id.desktop" "/usr/share/metainfo/$id.metainfo.xml"
  "/usr/share/icons/hicolor/scalable/apps/$id.svg" "/usr/share/icons/hicolor/48x48/apps/$id.png"
  "/usr/share/icons/hicolor/128x128/apps/$id.png" "/usr/share/icons/hicolor/256x256/apps/$id.png"
  /usr/share/man/man6/brinecast.6.gz
)
[ "$scores" = 1 ] && expected+=(/usr/bin/brinecast-scores)
for path in "${expected[@]}"; do
  grep -qx -- "$path" "$scratch/contents" || fail "the package lacks $path"
done
# Every file is one of those; folders only lead to them.
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | sed 's|^\./|/|' | sort)
for path in $files; do
  printf '%s\n' "${expected[@]}" | grep -qx -- "$path" || fail "the package holds an unexpected $path"
done

# The packaged game finds its data in the package's layout.
dpkg-deb -x "$deb" "$scratch/root"
status=0
player_env timeout 20 "$scratch/root/usr/games/brinecast" >"$scratch/run.out" 2>&1 || status=$?
[ "$status" = 1 ] && grep -q 'no display' "$scratch/run.out" ||
  fail "the packaged game did not get as far as the display: $(cat "$scratch/run.out")"
finish
