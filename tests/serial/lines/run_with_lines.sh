#!/usr/bin/env bash
# Runs a test program under Wine with COM5 mapped to a pseudo-terminal that
# the line driver holds and the preload library gives modem lines.
# Usage: run_with_lines.sh WINE64 LINES_DIR PROGRAM [ARGS...]
# KELVRA_LINES_PORTS: the COM names that lead to that one line (default COM5).
set -euo pipefail
# A step of the set-up that fails says which, instead of ending the test
# without a word.
trap 'echo "run_with_lines.sh: line $LINENO failed: $BASH_COMMAND" >&2' ERR
wine64=$1 lines=$2
shift 2
# KELVRA_LINES_WORK: a folder of the caller's for the state (kept afterwards).
if [ -n "${KELVRA_LINES_WORK:-}" ]; then
  work=$KELVRA_LINES_WORK
  trap 'kill "${hold_pid:-0}" 2>/dev/null || true' EXIT
else
  work=$(mktemp -d)
  trap 'kill "${hold_pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT
fi
state="$work/state"
"$lines/line_driver" init "$state"
"$lines/line_driver" hold "$state" "$work/tty" &
hold_pid=$!
for _ in $(seq 1 600); do [ -s "$work/tty" ] && break; sleep 0.05; done  # the driver has made the pty
tty=$(cat "$work/tty")
case "$tty" in /dev/pts/*) ;; *) echo "no pty: $tty" >&2; exit 1 ;; esac
for port in ${KELVRA_LINES_PORTS:-COM5}; do
  "$wine64" reg add 'HKLM\Software\Wine\Ports' /v "$port" /d "$tty" /f >/dev/null
  ln -sfn "$tty" "$WINEPREFIX/dosdevices/${port,,}"
done
export KELVRA_LINES_TTY="$tty" KELVRA_LINES_STATE="$state" KELVRA_LINE_DRIVER="$lines/line_driver"
LD_PRELOAD="$lines/libfake_lines.so" "$wine64" "$@"
