#!/usr/bin/env bash
# Benchmark, not a test: 1,000 CTS pulses of 20 ms on and 20 ms off through
# the real component under Wine, whose handler sleeps 100 ms on every tenth
# pulse; reports pulses seen against sent and the edge-to-handler delays.
# Run after tools/build.sh:  bash tests/serial/lines/pulse_bench.sh [COUNT]
set -euo pipefail
top=$(cd "$(dirname "$0")/../../.." && pwd)
build="$top/build"
count=${1:-1000}
source "$top/tools/wine-env.sh"
KELVRA_OWN_DISPLAY=1
trap wine_env_stop EXIT
wine_env_start "$build"
lines="$build/tests/serial/lines"
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
seconds=$(( count * 40 / 1000 + 15 ))
work=$(mktemp -d)
out="$work/out"
KELVRA_LINES_WORK="$work" bash "$top/tests/serial/lines/run_with_lines.sh" "$wine64" "$lines" \
  "$build/tests/serial/serial_pulse_bench.exe" "$seconds" >"$out" 2>&1 &
bench=$!
for _ in $(seq 1 300); do grep -q ready "$out" && break; sleep 0.1; done
"$lines/line_driver" pulse "$work/state" cts 20 20 "$count"
wait "$bench" || true
grep -v '^$' "$out" | tail -n 1
"$lines/line_driver" report "$work/state"
rm -rf "$work"
