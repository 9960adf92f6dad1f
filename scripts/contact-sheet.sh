#!/usr/bin/env bash
# Extracts every picture of both archives and lays them out on one sheet.
# Usage: scripts/contact-sheet.sh BUILD_DIR   (writes BUILD_DIR/contact-sheet.png)
set -euo pipefail
build=${1:?build folder}
dxg=$build/tools/dxg/brinecast-dxg
out=$build/contact
rm -rf "$out"
for archive in MenuImgs GameImgs; do
  "$dxg" extract "$build/AppDir/Data/$archive.dxg" "$out/$archive"
done
/usr/bin/montage -font Liberation-Sans -label '%t' -pointsize 10 -geometry '+4+4>' -tile 8x -background '#707070' \
  "$out"/MenuImgs/*.png "$out"/GameImgs/*.png "$build/contact-sheet.png"
echo "Contact sheet: $build/contact-sheet.png"
