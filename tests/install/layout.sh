#!/usr/bin/env bash
# cmake --install lays the game out as Debian lays out games, under one application id, and
# the desktop entry, the software-centre description, the icons and the manual page are valid.
here=$(dirname "$0")
source "$here/lib.sh"
build=$1
scores=$2  # 1 when the score server is built
prefix="$scratch/prefix"
install_into "$build" "$prefix"
cd "$prefix"

# One desktop entry; its name gives the id that every other file uses.
desktops=(share/applications/*.desktop)
[ ${#desktops[@]} = 1 ] && [ -f "${desktops[0]}" ] || fail "expected one desktop entry: ${desktops[*]}"
id=$(basename "${desktops[0]}" .desktop)
[[ "$id" =~ ^[a-z]+\.[a-z0-9]+\.[A-Za-z0-9]+$ ]] || fail "id '$id' is not reverse-DNS"

for file in games/brinecast bin/brinecast-dxg; do
  [ -x "$file" ] && [ -f "$file" ] || fail "$file is not an installed program"
done
if [ "$scores" = 1 ]; then
  [ -x bin/brinecast-scores ] || fail "bin/brinecast-scores is missing"
fi
for file in share/games/brinecast/Data/MenuImgs.dxg share/games/brinecast/Data/GameImgs.dxg \
  share/games/brinecast/Sound/1.xm share/games/brinecast/Sound/2.xm \
  "share/metainfo/$id.metainfo.xml" share/man/man6/brinecast.6 \
  "share/icons/hicolor/scalable/apps/$id.svg"; do
  [ -s "$file" ] || fail "$file is missing or empty"
done
for size in 48 128 256; do
  png="share/icons/hicolor/${size}x${size}/apps/$id.png"
  if [ -s "$png" ]; then
    [ "$(png_size "$png")" = "${size}x${size}" ] || fail "$png is $(png_size "$png")"
    # Drawn, not blank: the picture has many colours and both opaque and clear corners.
    colours=$(/usr/bin/convert "$png" -format %k info:)
    [ "$colours" -gt 40 ] || fail "$png has only $colours colours"
    corner=$(/usr/bin/convert "$png" -format '%[fx:p{0,0}.a]' info:)
    centre=$(/usr/bin/convert "$png" -format "%[fx:p{$((size / 2)),$((size / 2))}.a]" info:)
    [ "$corner" = 0 ] && [ "$centre" = 1 ] || fail "$png: corner alpha $corner, centre alpha $centre"
  else
    fail "$png is missing"
  fi
done

# Only what a player needs: no simulator, no test programs, no player's files.
unwanted=$(find . \( -name 'brinecast-sim' -o -name 'brinecast_tests*' -o -name 'brinecast-bench' \
  -o -name 'brinecast_fuzz*' -o -name 'Config.cfg*' -o -name '*.a' \) -print)
[ -z "$unwanted" ] || fail "installed but not wanted: $unwanted"
# Programs live only in games/ and bin/.
strays=$(find . -type f -perm -u+x ! -path './games/*' ! -path './bin/*' -print)
[ -z "$strays" ] || fail "executables outside games/ and bin/: $strays"

desktop-file-validate "${desktops[0]}" || fail "desktop-file-validate ${desktops[0]}"
grep -qx "Icon=$id" "${desktops[0]}" || fail "the desktop entry's icon is not $id"
grep -qx "Exec=brinecast" "${desktops[0]}" || fail "the desktop entry does not start brinecast"
appstreamcli validate --no-net "share/metainfo/$id.metainfo.xml" ||
  fail "appstreamcli validate share/metainfo/$id.metainfo.xml"
grep -q "<id>$id</id>" "share/metainfo/$id.metainfo.xml" || fail "metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "share/metainfo/$id.metainfo.xml" || fail "metainfo does not launch $id.desktop"
grep -q '<caption>[^<]\+</caption>' "share/metainfo/$id.metainfo.xml" || fail "no screenshot captions"

# The manual page renders without a warning and documents every option.
man --warnings -E UTF-8 -l share/man/man6/brinecast.6 >"$scratch/man.txt" 2>"$scratch/man.err" ||
  fail "man could not render brinecast.6"
[ ! -s "$scratch/man.err" ] || fail "man warns: $(cat "$scratch/man.err")"
for option in --window --fullscreen --data --help --version Config.cfg; do
  grep -q -- "$option" "$scratch/man.txt" || fail "the manual page does not mention $option"
done
finish
