#!/usr/bin/env bash
# Builds the game for the browser into build-web/ and serves it: `web.sh` builds, starts the
# score server with the site on http://localhost:8765/play/ and runs until stopped;
# `web.sh --build-only` only builds. The libraries are built from Debian's source packages
# once (scripts/web/versions), the data by a native host build, the rest with emcc.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build-web
# The native build whose tools made the data: BRINECAST_HOST_BUILD names one already built (the
# test command passes its normal build, so nothing is compiled twice), else a build of its own.
host=${BRINECAST_HOST_BUILD:-$out/host}
jobs=${BRINECAST_WEB_JOBS:-2}
serve=1
case ${1:-} in
  --build-only) serve=0 ;;
  '') ;;
  *)
    echo "usage: $0 [--build-only]" >&2
    exit 2
    ;;
esac

# Whether the build folder $1 has a target named $2.
has_target() {
  local targets
  targets=$(cmake --build "$1" --target help)
  grep -qw -- "$2" <<<"$targets"
}

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# Debian's compiler, the tools that unpack source packages and compress the site, and the
# host build's own packages.
"$root/scripts/deps.sh" play
missing=()
for p in emscripten brotli dpkg-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# `apt-get source` needs the source index of the archive already configured: the same
# places, as deb-src, and nothing else.
"$root/scripts/web/deb-src.sh"

export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
echo "== Libraries =="
prefix=$("$root/scripts/web/libs.sh" "$out/libs" | tail -1)
echo "$prefix" >"$out/LIBS-READY"

echo "== Host tools and data =="
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
if [ -z "${BRINECAST_HOST_BUILD:-}" ]; then
  cmake -S "$root" -B "$host" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINECAST_TESTS=OFF \
    -DBRINECAST_BENCH=OFF "${launcher[@]}" >/dev/null
elif [ ! -f "$host/CMakeCache.txt" ]; then
  echo "BRINECAST_HOST_BUILD=$host is not a configured build folder" >&2
  exit 1
fi
# The data, and the pictures of play the site shows (made by the native simulator).
host_targets=(brinecast_data screenshots)
if ((serve)); then
  # The server and the replayer that proves the scores sent to it.
  host_targets+=(brinecast-scores)
  has_target "$host" brinecast-replay && host_targets+=(brinecast-replay)
fi
cmake --build "$host" -j "$jobs" --target "${host_targets[@]}"

echo "== Web build =="
emcmake cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release -DBRINECAST_WEB=ON \
  -DBRINECAST_HOST_BUILD="$host" -DBRINECAST_WEB_PREFIX="$prefix" >/dev/null
web_targets=(brinecast-sim)
if has_target "$out" brinecast_site; then
  web_targets+=(brinecast_site)
fi
cmake --build "$out" -j "$jobs" --target "${web_targets[@]}"
echo "Built: $out/brinecast-sim.js$([ -d "$out/site" ] && echo " and $out/site/")"

((serve)) || exit 0
[ -d "$out/site" ] || { echo "No site was built (the browser game's target is missing)." >&2; exit 1; }
# The game's data and replayer beside the server prove the scores sent from the page.
server=("$host/brinecast-scores" --db "$out/scores.db" --port 8765 --game-data "$host/AppDir")
if [[ $("$host/brinecast-scores" --help 2>&1) == *--web* ]]; then
  server+=(--web "$out/site")
else
  echo "This brinecast-scores cannot serve the site yet (no --web option): starting it without." >&2
fi
echo "Play at http://localhost:8765/play/ (Ctrl+C stops the server)"
exec "${server[@]}"
