#!/usr/bin/env bash
# Finds processes a test run left running: those carrying the run's mark in their environment
# (everything ctest started, down to servers that detached), and programs of the build folders
# that were not running before. Names them, ends them by their pids, and says so with status 1.
#
# usage: leftovers.sh list BUILD...             programs of the build folders running now
#        leftovers.sh end MARK BEFORE BUILD...  after a run: BEFORE is what `list` said before it
set -uo pipefail

# "pid start-time exe" of every process running a program under one of the build folders.
list() {
  local proc pid exe build stat fields
  for proc in /proc/[0-9]*; do
    pid=${proc#/proc/}
    exe=$(readlink "$proc/exe" 2>/dev/null) || continue
    exe=${exe% (deleted)}
    for build in "$@"; do
      if [[ $exe == "$build"/* ]]; then
        stat=$(<"$proc/stat") 2>/dev/null || continue
        # The start time tells a new process from an old one of the same pid. It is field 22;
        # split after the command's name, which may hold spaces, the fields start at 3.
        read -r -a fields <<<"${stat##*) }"
        echo "$pid ${fields[19]} $exe"
        break
      fi
    done
  done
}

# Pids of processes whose environment holds the run's mark.
marked() {
  local proc
  for proc in /proc/[0-9]*; do
    [ "${proc#/proc/}" != $$ ] || continue
    grep -qzxF -- "$1" "$proc/environ" 2>/dev/null && echo "${proc#/proc/}"
  done
}

describe() {
  local exe args
  exe=$(readlink "/proc/$1/exe" 2>/dev/null) || exe="?"
  args=$(tr '\0' ' ' <"/proc/$1/cmdline" 2>/dev/null | cut -c1-200)
  echo "  pid $1: $exe ($args)"
}

end() {
  local mark=$1 before=$2
  shift 2
  local builds=("$@") pids=() pid line deadline
  # A process a test has just ended may take a moment to go.
  deadline=$((SECONDS + 3))
  while :; do
    pids=($(marked "$mark"))
    while read -r line; do
      grep -qxF -- "$line" "$before" || pids+=("${line%% *}")
    done < <(list "${builds[@]}")
    pids=($(printf '%s\n' "${pids[@]}" | sort -un))
    [ ${#pids[@]} -ne 0 ] && [ "$SECONDS" -lt "$deadline" ] || break
    sleep 0.2
  done
  [ ${#pids[@]} -eq 0 ] && return 0
  echo "The tests left these processes running; ending them:" >&2
  for pid in "${pids[@]}"; do describe "$pid" >&2; done
  kill "${pids[@]}" 2>/dev/null
  deadline=$((SECONDS + 5))
  for pid in "${pids[@]}"; do
    while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && kill -KILL "$pid" 2>/dev/null
  done
  return 1
}

case ${1:-} in
  list) shift; list "$@" ;;
  end) shift; end "$@" ;;
  *) echo "usage: $0 list BUILD... | end MARK BEFORE BUILD..." >&2; exit 2 ;;
esac
