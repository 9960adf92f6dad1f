#!/usr/bin/env bash
# A run ended by a signal leaves no temporary game folder behind.
# Usage: signal_cleanup.sh SIM
set -u
sim=$1
source "$(dirname "$0")/../support/poll.sh"
tmp=$(mktemp -d)
pid=
# A run still going when a check fails is ended too, by its own pid.
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$tmp"' EXIT
mkdir "$tmp/scratch"
folder_made() { [ -n "$(ls -A "$tmp/scratch")" ]; }
for signal in TERM INT HUP; do
  fifo="$tmp/script"
  rm -f "$fifo"
  mkfifo "$fifo"
  # The script never ends: the simulator waits for its next command.
  TMPDIR="$tmp/scratch" "$sim" - < "$fifo" > /dev/null &
  pid=$!
  exec 3> "$fifo"
  echo "wait 100" >&3
  # Wait (bounded) until the run has made its folder.
  poll_for 10 folder_made || { echo "no temporary folder appeared"; exit 1; }
  kill -s "$signal" "$pid"
  wait "$pid"
  status=$?
  pid=
  exec 3>&-
  if [ -n "$(ls -A "$tmp/scratch")" ]; then
    echo "SIG$signal left: $(ls -A "$tmp/scratch")"
    exit 1
  fi
  if [ "$status" -eq 0 ]; then
    echo "SIG$signal: the run claimed success"
    exit 1
  fi
done
echo "every signal cleaned up"
