#!/usr/bin/env bash
# The CPU time of the main window's message loop per second while idle, and
# while the mouse moves over it with mouse light on against off, under Wine
# in a private Xvfb. Argument: seconds per measurement (default 10).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build="$top/build"
"$top/tools/setup.sh"
"$top/tools/build.sh" --target idle_cpu_bench >/dev/null
source "$top/tools/wine-env.sh"
KELVRA_OWN_DISPLAY=1
trap wine_env_stop EXIT
wine_env_start "$build"
cd "$build/app"
wine "$build/tools/bench/idle_cpu_bench.exe" "${1:-10}"
