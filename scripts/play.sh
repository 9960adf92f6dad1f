#!/usr/bin/env bash
# Installs what building and playing need, builds the game with its data, and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" play
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINECAST_TESTS=OFF -DBRINECAST_BENCH=OFF
cmake --build "$root/build" --target brinecast -j "$(nproc)"
exec "$root/build/AppDir/brinecast"
