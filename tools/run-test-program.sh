#!/usr/bin/env bash
# Runs one GoogleTest program: run-test-program.sh EMULATOR PROGRAM [ARGS...].
# Wine ends a process that died of a stack overflow with status 0, so the
# status alone would pass a program that stopped in its first test: the run
# passes only when the program also printed GoogleTest's closing summary.
set -uo pipefail
emulator=$1
shift
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$emulator" "$@" 2>&1 | tee "$out"
status=${PIPESTATUS[0]}
# GoogleTest prints its first line before any test runs: nothing at all
# means the program never reached main. Say so, with the status, because
# ctest shows an empty output for it.
if [ "$status" -ne 0 ] && [ ! -s "$out" ]; then
  echo "run-test-program: $(basename "$1") printed nothing and ended with status $status" >&2
fi
if [ "$status" -eq 0 ] && ! grep -q '^\[  PASSED  \]' "$out"; then
  echo "run-test-program: $(basename "$1") ended without its test summary (crashed?)" >&2
  exit 1
fi
exit "$status"
