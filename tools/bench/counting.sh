#!/usr/bin/env bash
# Benchmark, not a test: the cost of one payment with a short and a long
# credit log. First the CTS handler's own time in process, then the real
# kelvra.exe on the simulated line of tests/serial/lines: the line driver
# makes the CTS pulses and stamps each rise, the preload library notes which
# rises the port's status reads saw, and a Linux watcher woken by the kernel
# stamps each log line and saved payment as it lands, all on one clock.
# Nothing polls the files from inside Wine, so the figures are the program's.
# KELVRA_LINES_TRACE=FILE keeps one line per status read (see fake_lines.c).
# LINE=vserial runs the same on a vserial line instead (VSERIAL_HOME: its
# folder, default /work/shared/tools/vserial): VSERIAL_RUN names a session
# started with its vserial-session.sh, whose prefix and port the run uses; the
# shim notes which rises Wine's status reads saw.
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
line=${LINE:-lines}
vserial=${VSERIAL_HOME:-/work/shared/tools/vserial}
source "$top/tools/wine-env.sh"
KELVRA_OWN_DISPLAY=1
work=
watch_pid=
stop() {
  [ -n "$watch_pid" ] && kill "$watch_pid" 2>/dev/null || true
  [ -n "$work" ] && rm -rf "$work"
  [ "$line" = vserial ] || wine_env_stop
}
trap stop EXIT
lines="$build/tests/serial/lines"
if [ "$line" = vserial ]; then
  [ -f "${VSERIAL_RUN:-}/env.sh" ] || { echo "LINE=vserial: start a session and set VSERIAL_RUN" >&2; exit 2; }
  source "$VSERIAL_RUN/env.sh"
  wine64=$WINE
else
  wine_env_start "$build"
  wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
  for n in "${logs[@]}"; do
    (cd "$build/app" && "$wine64" "$build/tools/bench/handler_bench.exe" "$n" "$pulses") || true
  done
fi
for n in "${logs[@]}"; do
  work=$(mktemp -d)
  mkfifo "$work/go"
  if [ "$line" = vserial ]; then
    # RTS down and CTS off, so that RTS up says the program opened the port.
    python3 -c "import sys; sys.path.insert(0, '$vserial'); from vserial import State
s = State('$VSERIAL_STATE'); s.set(cts=False); s._w('out_lines', 0)"
    "$lines/line_driver" init "$work/state"  # only for the watcher's stamps
    (cd "$build/app" && "$wine64" "$build/tools/bench/pulse_log_bench.exe" "$(winepath -w "$build/app/kelvra.exe")" \
      "$n" <"$work/go" >"$work/out" 2>&1) &
  else
    KELVRA_LINES_WORK="$work" bash "$top/tests/serial/lines/run_with_lines.sh" "$wine64" "$lines" \
      "$build/tools/bench/pulse_log_bench.exe" "$(winepath -w "$build/app/kelvra.exe")" "$n" \
      <"$work/go" >"$work/out" 2>&1 &
  fi
  bench=$!
  exec 3>"$work/go"
  for _ in $(seq 1 600); do grep -q '^ready' "$work/out" && break; sleep 0.1; done
  if ! grep -q '^ready' "$work/out"; then cat "$work/out"; exit 1; fi
  folder=$(winepath -u "$(head -n 1 "$work/out" | tr -d '\r')")
  "$lines/line_driver" watch "$work/state" "${folder%/}/credits.txt" "${folder%/}/data.txt" &
  watch_pid=$!
  sleep 0.5  # the watch is in place
  if [ "$line" = vserial ]; then
    python3 "$vserial/vserial.py" --dir "$VSERIAL_DIR" wait rts=1 --timeout 10 >/dev/null
    python3 "$top/tools/bench/vserial_pulses.py" "$vserial" "$VSERIAL_STATE" "$work/state" "$pulses" "$on" "$off" \
      >"$work/report"
  else
    "$lines/line_driver" pulse "$work/state" cts "$on" "$off" "$pulses"
    # Until every rise that was seen has its line, or 10 s.
    for _ in $(seq 1 100); do
      read -r _ seen logged _ < <("$lines/line_driver" counts "$work/state")
      [ "$logged" -ge "$seen" ] && break
      sleep 0.1
    done
    sleep 1
    "$lines/line_driver" report "$work/state" >"$work/report"
  fi
  echo close >&3
  exec 3>&-
  wait "$bench" || true
  kill "$watch_pid" 2>/dev/null || true
  wait "$watch_pid" 2>/dev/null || true
  watch_pid=
  echo "$line: log of $n lines, $pulses pulses of $on ms on / $off ms off (load $(cut -d' ' -f1-3 /proc/loadavg)):"
  cat "$work/report"
  grep '^  payments' "$work/out" | tr -d '\r'
  rm -rf "$work"
  work=
done
