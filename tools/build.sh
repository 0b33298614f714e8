#!/usr/bin/env bash
# Configures and builds everything into build/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" >/dev/null
fi
cmake --build "$build" "$@"
