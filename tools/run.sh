#!/usr/bin/env bash
# Sets up, builds and starts kelvra.exe under Wine, on your display when
# DISPLAY is set, else inside a private Xvfb. Arguments go to the program.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build"

"$top/tools/setup.sh"
"$top/tools/build.sh" --target kelvra

source "$top/tools/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start "$build"

wine "$build/app/kelvra.exe" "$@"
