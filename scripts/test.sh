#!/usr/bin/env bash
# Installs what is missing, checks that every source file is formatted, builds the web build,
# then builds and runs every test twice: the normal build (with the web simulator's tests),
# then the sanitizer build (clang, ASan + UBSan), which also runs the fuzz targets. Fails,
# naming them, when a test leaves a process running.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" test
jobs=$(nproc)
builds=("$root/build" "$root/build-sanitize")

# Runs ctest with a mark in the environment of everything it starts; what still runs with that
# mark afterwards, or from a build folder and new since, was left behind by a test.
checked_ctest() {
  local mark="BRINECAST_TEST_RUN=$$.$RANDOM" before status=0
  before=$(mktemp)
  "$root/scripts/leftovers.sh" list "${builds[@]}" >"$before"
  env "$mark" ctest --timeout 900 "$@" || status=$?
  "$root/scripts/leftovers.sh" end "$mark" "$before" "${builds[@]}" || status=1
  rm -f "$before"
  return "$status"
}

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "== Format =="
# Every source file as clang-format writes it; checked before building so a stray edit fails fast.
unformatted=()
while IFS= read -r -d '' file; do
  if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
    unformatted+=("${file#"$root"/}")
  fi
done < <(find "$root/src" "$root/tools" "$root/tests" "$root/bench" -type f \
  \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if ((${#unformatted[@]})); then
  echo "These files are not formatted as .clang-format says (run clang-format -i on them):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi

echo "== Normal build =="
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINECAST_TESTS=ON -DBRINECAST_BENCH=ON
cmake --build "$root/build" -j "$jobs"

echo "== Web build =="
# The libraries once, then the game for the browser and the simulator for node, with the data
# the normal build just made; configuring the normal build again registers the tests that
# compare the two simulators and play the page (label web).
BRINECAST_HOST_BUILD="$root/build" "$root/scripts/web.sh" --build-only
cmake -S "$root" -B "$root/build" -DBRINECAST_WEB_SITE="$root/build-web/site" >/dev/null
checked_ctest --test-dir "$root/build" --output-on-failure -j "$jobs" -LE fuzz

echo "== Sanitizer build =="
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug \
  -DBRINECAST_SANITIZE=ON -DBRINECAST_FUZZ=ON -DBRINECAST_TESTS=ON -DBRINECAST_BENCH=OFF
cmake --build "$root/build-sanitize" -j "$jobs"
checked_ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs"
