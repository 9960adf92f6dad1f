#!/usr/bin/env bash
# Makes `apt-get source` work: adds deb-src entries for exactly the Debian archive already
# configured (same addresses, suites and components), when no source index is there yet.
set -euo pipefail
list=/etc/apt/sources.list.d/debian.sources
added=/etc/apt/sources.list.d/brinecast-deb-src.sources
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if ! grep -rqs '^\(Types:.*deb-src\|deb-src \)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  [ -f "$list" ] || { echo "No $list to take the archive from; add deb-src lines by hand." >&2; exit 1; }
  # Each stanza again, as a source stanza: only its Types line changes.
  sed 's/^Types:.*$/Types: deb-src/' "$list" | "${sudo_cmd[@]}" tee "$added" >/dev/null
fi
if ! compgen -G '/var/lib/apt/lists/*_Sources*' >/dev/null; then
  "${sudo_cmd[@]}" apt-get update -qq
fi
