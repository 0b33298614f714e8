#!/usr/bin/env bash
# Sets up, builds and runs every test under Wine inside Xvfb.
# Extra arguments go to ctest (for example -R serial).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build"

"$top/tools/setup.sh"
"$top/tools/build.sh"

source "$top/tools/wine-env.sh"
KELVRA_OWN_DISPLAY=1
trap wine_env_stop EXIT
wine_env_start "$build"

cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
