#!/usr/bin/env bash
# A full repaint of the main window, skinned against the skin inactive, under
# Wine in a private Xvfb. Argument: the number of repaints per figure
# (default 200).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build="$top/build"
"$top/tools/setup.sh"
"$top/tools/build.sh" --target repaint_bench >/dev/null
source "$top/tools/wine-env.sh"
KELVRA_OWN_DISPLAY=1
trap wine_env_stop EXIT
wine_env_start "$build"
cd "$build/app"
wine "$build/tools/bench/repaint_bench.exe" "${1:-200}"
