# Shared by the shell tests that drive real windows: what a failure prints so that it can be
# understood from the test's text output alone (all CI keeps).

# Prints a log file ($2, named $1) between marker lines, its last 300 lines when it is long.
print_log() {
  if [ ! -s "$2" ]; then
    echo "=== $1: $2 is empty or missing ==="
    return 0
  fi
  echo "=== BEGIN $1 ($2, last 300 lines) ==="
  tail -n 300 "$2"
  echo "=== END $1 ==="
}

# Prints a picture ($1, any format ImageMagick reads) as a half-size PNG in base64 between
# marker lines; $2 is a scratch file for the small copy.
print_screenshot() {
  [ -s "$1" ] || return 0
  /usr/bin/convert "$1" -resize 50% -colors 128 "PNG8:$2" 2>/dev/null || return 0
  echo "=== BEGIN last screenshot (PNG, base64: save the lines between the markers as F, then base64 -d F >shot.png) ==="
  base64 -w 100 "$2"
  echo "=== END last screenshot ==="
}
