#!/usr/bin/env bash
# Installs what is missing, builds the game with its data, and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINECAST_TESTS=OFF -DBRINECAST_BENCH=OFF
cmake --build "$root/build" --target brinecast -j "$(nproc)"
exec "$root/build/AppDir/brinecast"
