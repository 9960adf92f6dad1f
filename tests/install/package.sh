#!/usr/bin/env bash
# cpack -G DEB builds one package for the game, one for the archive tool and one for the score
# server, each holding only its own files under /usr with its licence and changelog, and
# depending only on the libraries its own programs link; lintian finds no error in them, the
# packaged programs are hardened, and they run.
here=$(dirname "$0")
source "$here/lib.sh"
build=$1
scores=$2  # 1 when the score server is built
source_dir=$(cd "$here/../.." && pwd)
command -v lintian >/dev/null || { echo "FAIL: lintian is not installed (apt-get install lintian)" >&2; exit 1; }
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/debs" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; echo "FAIL: cpack" >&2; exit 1; }

# One package of each name, and no other.
wanted=(brinecast brinecast-dxg)
[ "$scores" = 1 ] && wanted+=(brinecast-scores)
# A build given the browser game's site packages it too.
site=$(sed -n 's/^BRINECAST_WEB_SITE:PATH=//p' "$build/CMakeCache.txt")
[ -n "$site" ] && wanted+=(brinecast-web)
declare -A deb=()
for file in "$scratch"/debs/*.deb; do
  [ -f "$file" ] || continue
  name=$(dpkg-deb -f "$file" Package)
  [ -z "${deb[$name]:-}" ] || fail "two packages named $name"
  deb[$name]=$file
done
for name in "${wanted[@]}"; do
  [ -n "${deb[$name]:-}" ] || { echo "FAIL: no package $name among: ${!deb[*]}" >&2; exit 1; }
done
for name in "${!deb[@]}"; do
  [[ " ${wanted[*]} " == *" $name "* ]] || fail "unexpected package $name"
done

for name in "${!deb[@]}"; do
  dpkg-deb -x "${deb[$name]}" "$scratch/root"
done
# The packaged game gives the version the packages carry.
version=$(player_env "$scratch/root/usr/games/brinecast" --version | sed -n 's/^brinecast //p') || true
[ -n "$version" ] || fail "the packaged game gave no version"

field() { dpkg-deb -f "${deb[$1]}" "$2"; }

# The files each package holds; folders only lead to them.
files_of() { dpkg-deb -c "${deb[$1]}" | awk '$1 !~ /^d/ { print $NF }' | sed 's|^\./|/|' | sort; }
declare -A expected=()
expected[brinecast]="/usr/games/brinecast
/usr/games/brinecast-replay
/usr/share/games/brinecast/Data/MenuImgs.dxg
/usr/share/games/brinecast/Data/GameImgs.dxg
/usr/share/games/brinecast/Sound/1.xm
/usr/share/games/brinecast/Sound/2.xm
/usr/share/man/man6/brinecast.6.gz
/usr/share/man/man6/brinecast-replay.6.gz"
id=$(files_of brinecast | sed -n 's|^/usr/share/applications/\(.*\)\.desktop$|\1|p')
[ -n "$id" ] || fail "no desktop entry in the game's package"
for path in "/usr/share/applications/$id.desktop" "/usr/share/metainfo/$id.metainfo.xml" \
  "/usr/share/icons/hicolor/scalable/apps/$id.svg" "/usr/share/icons/hicolor/48x48/apps/$id.png" \
  "/usr/share/icons/hicolor/128x128/apps/$id.png" "/usr/share/icons/hicolor/256x256/apps/$id.png"; do
  expected[brinecast]+=$'\n'"$path"
done
expected[brinecast-dxg]="/usr/bin/brinecast-dxg
/usr/share/man/man1/brinecast-dxg.1.gz"
expected[brinecast-scores]=/usr/bin/brinecast-scores
# The server's units (one server, and the template of a cluster's instances) and manual page.
for unit in brinecast-scores.service brinecast-scores@.service; do
  if [ -f "$source_dir/tools/scores/$unit" ]; then
    expected[brinecast-scores]+=$'\n'/usr/lib/systemd/system/$unit
  fi
done
[ -f "$source_dir/tools/scores/brinecast-scores.1" ] &&
  expected[brinecast-scores]+=$'\n'/usr/share/man/man1/brinecast-scores.1.gz

# The web package holds the site as built, file for file, for any architecture; the server
# recommends it.
if [ -n "$site" ]; then
  expected[brinecast-web]=$(cd "$site" && find . -type f | sed 's|^\.|/usr/share/brinecast-web|' | sort)
  [ "$(field brinecast-web Architecture)" = all ] ||
    fail "brinecast-web: architecture is $(field brinecast-web Architecture), not all"
  [[ "$(field brinecast-scores Recommends)" == *brinecast-web* ]] ||
    fail "brinecast-scores does not recommend brinecast-web: $(field brinecast-scores Recommends)"
  doc=/usr/share/doc/brinecast-web
  list="${expected[brinecast-web]}"$'\n'"$doc/copyright"$'\n'"$doc/changelog.Debian.gz"
  actual=$(files_of brinecast-web)
  [ "$(sort <<<"$list")" = "$actual" ] || fail "brinecast-web holds other files than the site: $(diff <(sort <<<"$list") <(echo "$actual") | head)"
fi

# package | section | libraries its Depends must name | libraries it must not pull in
game_libs="libc6 libstdc++6 libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 libxmp4 libfontconfig1"
server_libs="libpq5 libmicrohttpd12 libsqlite3-0 libcpp-httplib0.11"
tool_libs="librsvg2-2 libcairo2 libsdl2-image-2.0-0"
cases=(
  "brinecast|games|$game_libs fonts-liberation fonts-comic-neue|$server_libs $tool_libs"
  "brinecast-dxg|graphics|libc6 libstdc++6 $tool_libs|$server_libs fonts-liberation fonts-comic-neue"
  "brinecast-scores|net|libc6 libstdc++6 libsqlite3-0 libpq5|$tool_libs libsdl2-2.0-0 libxmp4 fonts-liberation"
)
for case in "${cases[@]}"; do
  IFS='|' read -r name section needs refuses <<<"$case"
  [ -n "${deb[$name]:-}" ] || continue
  [ "$(field "$name" Section)" = "$section" ] || fail "$name: section is $(field "$name" Section)"
  [ "$(field "$name" Architecture)" = "$(dpkg --print-architecture)" ] ||
    fail "$name: architecture is $(field "$name" Architecture)"
  [[ "$(field "$name" Version)" == "$version"-* ]] ||
    fail "$name: version $(field "$name" Version) is not the program's $version"
  depends=$(field "$name" Depends)
  names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
  for package in $needs; do
    grep -qxF -- "$package" <<<"$names" || fail "$name: Depends lacks $package: $depends"
  done
  for package in $refuses; do
    ! grep -qxF -- "$package" <<<"$names" || fail "$name: Depends names $package: $depends"
  done
  # Read off the libraries, each with the least version the programs need.
  grep -q 'libc6 (>= ' <<<"$depends" || fail "$name: no version for libc6: $depends"

  doc=/usr/share/doc/$name
  list="${expected[$name]}"$'\n'"$doc/copyright"$'\n'"$doc/changelog.Debian.gz"
  actual=$(files_of "$name")
  while read -r path; do
    grep -qxF -- "$path" <<<"$actual" || fail "$name lacks $path"
  done <<<"$list"
  while read -r path; do
    grep -qxF -- "$path" <<<"$list" || fail "$name holds an unexpected $path"
  done <<<"$actual"

  # The licence in Debian's machine-readable form, and a changelog naming this version.
  dpkg-deb --fsys-tarfile "${deb[$name]}" | tar -xO ".$doc/copyright" >"$scratch/copyright" || true
  head -1 "$scratch/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "$name: copyright is not machine-readable"
  grep -qx 'License: MIT' "$scratch/copyright" && grep -q '^ Permission is hereby granted' "$scratch/copyright" ||
    fail "$name: copyright lacks the licence"
  dpkg-deb --fsys-tarfile "${deb[$name]}" | tar -xO ".$doc/changelog.Debian.gz" | gzip -dc >"$scratch/changelog" ||
    fail "$name: the changelog is not gzip"
  head -1 "$scratch/changelog" | grep -qF "brinecast ($(field "$name" Version))" ||
    fail "$name: the changelog's latest entry is not $(field "$name" Version): $(head -1 "$scratch/changelog")"
done

# lintian finds no error in any package (its warnings are printed).
lintian --tag-display-limit 0 "${deb[@]}" >"$scratch/lintian.out" 2>&1 || true
printf '%s\n' "$(cat "$scratch/lintian.out")"
! grep -q '^E: ' "$scratch/lintian.out" || fail "lintian reports errors"

# Docks match the game's window to its entry by the window's class, which SDL takes from the
# executable's name.
desktop=$scratch/root/usr/share/applications/$id.desktop
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop" | head -1)
[ -x "$scratch/root/usr/games/$exec_name" ] || fail "the desktop entry starts $exec_name, which is not packaged"
grep -qx "StartupWMClass=$exec_name" "$desktop" || fail "the desktop entry's StartupWMClass is not $exec_name"

# The packaged game finds its data in the package's layout.
status=0
player_env timeout 20 "$scratch/root/usr/games/brinecast" >"$scratch/run.out" 2>&1 || status=$?
[ "$status" = 1 ] && grep -q 'no display' "$scratch/run.out" ||
  fail "the packaged game did not get as far as the display: $(cat "$scratch/run.out")"

# Hardened programs: position-independent, relocations read-only and bound at start, stack
# protection, and (in an optimised build without sanitizers) checked string and memory calls.
optimised=1
grep -Eq '^CMAKE_BUILD_TYPE:STRING=(Release|RelWithDebInfo|MinSizeRel)$' "$build/CMakeCache.txt" &&
  ! grep -q '^BRINECAST_SANITIZE:BOOL=ON$' "$build/CMakeCache.txt" || optimised=0
programs=(usr/games/brinecast usr/bin/brinecast-dxg)
[ "$scores" = 1 ] && programs+=(usr/bin/brinecast-scores)
for program in "${programs[@]}"; do
  file=$scratch/root/$program
  readelf -hW "$file" | grep -Eq 'Type: +DYN' || fail "$program is not position-independent"
  readelf -dW "$file" | grep -Eq '\(FLAGS\).*BIND_NOW|\(FLAGS_1\).*NOW' || fail "$program is not bound at start"
  readelf -lW "$file" | grep -q GNU_RELRO || fail "$program has no read-only relocations"
  symbols=$(readelf --dyn-syms -W "$file")
  grep -q '__stack_chk_fail' <<<"$symbols" || fail "$program has no stack protection"
  if [ "$optimised" = 1 ]; then
    grep -Eq '__[a-z]+_chk@' <<<"$symbols" || fail "$program calls no checked string or memory function"
  fi
done

# The packaged archive tool: its help, version and misuse, and its manual page.
tool=$scratch/root/usr/bin/brinecast-dxg
# arguments | status | stream | text that stream must hold
cases=(
  "--help|0|out|^usage: brinecast-dxg list FILE"
  "--help|0|out|pack MANIFEST OUT"
  "--help|0|out|brinecast-dxg\\(1\\)"
  "--version|0|out|^brinecast-dxg $version\$"
  "--version extra|2|err|takes no operands"
  "--bogus|2|err|unknown command \"--bogus\""
)
for case in "${cases[@]}"; do
  IFS='|' read -r args want stream text <<<"$case"
  read -r -a argv <<<"$args"
  status=0
  timeout 20 "$tool" "${argv[@]}" >"$scratch/out" 2>"$scratch/err" || status=$?
  [ "$status" = "$want" ] || fail "brinecast-dxg $args: status $status, expected $want"
  grep -Eq -- "$text" "$scratch/$stream" || fail "brinecast-dxg $args: no '$text' on std$stream"
  other=out
  [ "$stream" = out ] && other=err
  [ ! -s "$scratch/$other" ] || fail "brinecast-dxg $args: unexpected std$other: $(head -c 300 "$scratch/$other")"
done
man --warnings -E UTF-8 -l "$scratch/root/usr/share/man/man1/brinecast-dxg.1.gz" >"$scratch/man.txt" 2>"$scratch/man.err" ||
  fail "man could not render brinecast-dxg.1"
[ ! -s "$scratch/man.err" ] || fail "man warns: $(cat "$scratch/man.err")"
for word in list extract pack --help --version mirror; do
  grep -q -- "$word" "$scratch/man.txt" || fail "the manual page of brinecast-dxg does not mention $word"
done
finish
