#!/usr/bin/env bash
# Builds the game for the browser into build-web/ and serves it: `web.sh` builds, starts the
# score server with the site on http://localhost:8765/play/ and runs until stopped;
# `web.sh --build-only` only builds. The libraries are built from Debian's source packages
# once (scripts/web/versions), the data by a native host build, the rest with emcc.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build-web
host=$out/host
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
cmake -S "$root" -B "$host" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINECAST_TESTS=OFF \
  -DBRINECAST_BENCH=OFF "${launcher[@]}" >/dev/null
host_targets=(brinecast_data brinecast-sim)
((serve)) && host_targets+=(brinecast-scores)
cmake --build "$host" -j "$jobs" --target "${host_targets[@]}"

echo "== Web build =="
emcmake cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release -DBRINECAST_WEB=ON \
  -DBRINECAST_HOST_BUILD="$host" -DBRINECAST_WEB_PREFIX="$prefix" >/dev/null
web_targets=(brinecast-sim)
if cmake --build "$out" --target help | grep -q '\bbrinecast_site\b'; then
  web_targets+=(brinecast_site)
fi
cmake --build "$out" -j "$jobs" --target "${web_targets[@]}"
echo "Built: $out/brinecast-sim.js$([ -d "$out/site" ] && echo " and $out/site/")"

((serve)) || exit 0
[ -d "$out/site" ] || { echo "No site was built (the browser game's target is missing)." >&2; exit 1; }
echo "Serving on http://localhost:8765/play/ (Ctrl+C stops)"
exec "$host/brinecast-scores" --web "$out/site" --port 8765
