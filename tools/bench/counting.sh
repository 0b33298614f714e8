#!/usr/bin/env bash
# Benchmark, not a test: the cost of one payment with a short and a long
# credit log. First the CTS handler's own time in process, then the real
# kelvra.exe on the simulated line of tests/serial/lines: the line driver
# makes the CTS pulses and stamps each rise, the preload library notes which
# rises the port's status reads saw, and a Linux watcher woken by the kernel
# stamps each log line and saved payment as it lands, all on one clock.
# Nothing polls the files from inside Wine, so the figures are the program's.
# KELVRA_LINES_TRACE=FILE keeps one line per status read (see fake_lines.c).
# Usage: bash tools/bench/counting.sh [PULSES [ON_MS OFF_MS [LOG_LINES...]]]
#   (default 200 pulses of 50 ms on / 50 ms off against 10 and 100,000 lines;
#    "1000 5 5 100000" is the 100 pulses a second run)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build="$top/build"
pulses=${1:-200} on=${2:-50} off=${3:-50}
shift $(( $# < 3 ? $# : 3 ))
logs=(10 100000)
[ $# -eq 0 ] || logs=("$@")
"$top/tools/setup.sh"
"$top/tools/build.sh" --target kelvra handler_bench pulse_log_bench serial_line_tools >/dev/null
source "$top/tools/wine-env.sh"
KELVRA_OWN_DISPLAY=1
work=
watch_pid=
stop() {
  [ -n "$watch_pid" ] && kill "$watch_pid" 2>/dev/null || true
  [ -n "$work" ] && rm -rf "$work"
  wine_env_stop
}
trap stop EXIT
wine_env_start "$build"
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
lines="$build/tests/serial/lines"
for n in "${logs[@]}"; do
  (cd "$build/app" && "$wine64" "$build/tools/bench/handler_bench.exe" "$n" "$pulses") || true
done
for n in "${logs[@]}"; do
  work=$(mktemp -d)
  mkfifo "$work/go"
  KELVRA_LINES_WORK="$work" bash "$top/tests/serial/lines/run_with_lines.sh" "$wine64" "$lines" \
    "$build/tools/bench/pulse_log_bench.exe" "$(winepath -w "$build/app/kelvra.exe")" "$n" \
    <"$work/go" >"$work/out" 2>&1 &
  bench=$!
  exec 3>"$work/go"
  for _ in $(seq 1 600); do grep -q '^ready' "$work/out" && break; sleep 0.1; done
  if ! grep -q '^ready' "$work/out"; then cat "$work/out"; exit 1; fi
  folder=$(winepath -u "$(head -n 1 "$work/out" | tr -d '\r')")
  "$lines/line_driver" watch "$work/state" "${folder%/}/credits.txt" "${folder%/}/data.txt" &
  watch_pid=$!
  sleep 0.5  # the watch is in place
  "$lines/line_driver" pulse "$work/state" cts "$on" "$off" "$pulses"
  # Until every rise that was seen has its line, or 10 s.
  for _ in $(seq 1 100); do
    read -r _ seen logged _ < <("$lines/line_driver" counts "$work/state")
    [ "$logged" -ge "$seen" ] && break
    sleep 0.1
  done
  sleep 1
  echo close >&3
  exec 3>&-
  wait "$bench" || true
  kill "$watch_pid" 2>/dev/null || true
  wait "$watch_pid" 2>/dev/null || true
  watch_pid=
  echo "log of $n lines, $pulses pulses of $on ms on / $off ms off (load $(cut -d' ' -f1-3 /proc/loadavg)):"
  "$lines/line_driver" report "$work/state"
  grep '^  payments' "$work/out" | tr -d '\r'
  rm -rf "$work"
  work=
done
