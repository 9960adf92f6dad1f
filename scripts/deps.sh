#!/usr/bin/env bash
# Installs the Debian packages the game needs, only those missing: `deps.sh play` what building
# and playing need, `deps.sh test` (the default) that and the tools the tests run.
set -euo pipefail

# Building the game, its data and its score server, and playing it.
play=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libsdl2-image-dev libxmp-dev
  libcurl4-openssl-dev libfontconfig-dev librsvg2-dev libcairo2-dev librsvg2-bin
  libmicrohttpd-dev libssl-dev libsqlite3-dev libpq-dev libseccomp-dev
  fonts-liberation fonts-comic-neue
)
# The tests: the sanitizer and fuzz build, test and benchmark libraries, a database server, a
# private X server with a window manager and tools that drive and photograph it, the checkers
# of the install and the package, a load generator with a yardstick web server, and the web
# build's compiler with the browser that plays its page.
test=(
  clang libclang-rt-14-dev clang-format
  libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev
  postgresql curl
  xvfb xdotool imagemagick evilwm x11-utils libx11-dev
  desktop-file-utils appstream dpkg-dev file man-db lintian
  wrk nginx-light
  emscripten brotli chromium
)

case ${1:-test} in
  play) packages=("${play[@]}") ;;
  test) packages=("${play[@]}" "${test[@]}") ;;
  *)
    echo "usage: $0 [play|test]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
