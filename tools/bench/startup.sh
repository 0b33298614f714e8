#!/usr/bin/env bash
# The time from starting kelvra.exe to its main window being visible, warm,
# median of several runs, under Wine in a private Xvfb.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build="$top/build"
"$top/tools/setup.sh"
"$top/tools/build.sh" --target kelvra startup_bench >/dev/null
source "$top/tools/wine-env.sh"
KELVRA_OWN_DISPLAY=1
trap wine_env_stop EXIT
wine_env_start "$build"
cd "$build/app"
wine "$build/tools/bench/startup_bench.exe" kelvra.exe "${1:-9}"
