#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need, only those missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev clang-format
  libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libsdl2-image-dev libxmp-dev
  curl libcurl4-openssl-dev libfontconfig-dev librsvg2-dev libcairo2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libcpp-httplib-dev libsqlite3-dev libpq-dev postgresql
  fonts-liberation fonts-comic-neue
  xvfb xdotool imagemagick
  desktop-file-utils appstream dpkg-dev file librsvg2-bin man-db evilwm x11-utils
)

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
