#!/usr/bin/env bash
# Benchmark, not a test: the cost of one payment with a short and a long
# credit log. First the CTS handler's own time in process, then the real
# kelvra.exe on the simulated line of tests/serial/lines, timing each CTS rise
# to its log line and its saved settings and counting lost pulses.
# Usage: bash tools/bench/counting.sh [PULSES]   (200 pulses of 50 ms on / 50 ms off)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build="$top/build"
pulses=${1:-200}
"$top/tools/setup.sh"
"$top/tools/build.sh" --target kelvra handler_bench pulse_log_bench serial_line_tools >/dev/null
source "$top/tools/wine-env.sh"
KELVRA_OWN_DISPLAY=1
trap wine_env_stop EXIT
wine_env_start "$build"
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
for lines in 10 100000; do
  (cd "$build/app" && "$wine64" "$build/tools/bench/handler_bench.exe" "$lines" "$pulses")
done
for lines in 10 100000; do
  bash "$top/tests/serial/lines/run_with_lines.sh" "$wine64" "$build/tests/serial/lines" \
    "$build/tools/bench/pulse_log_bench.exe" "$(winepath -w "$build/app/kelvra.exe")" "$lines" "$pulses" 50 50
done
