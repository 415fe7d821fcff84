#!/usr/bin/env bash
# Configures and builds Lumbra into ./build (program folder: build/bin).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMBRA_BUILD_DIR:-$root/build}
type=${LUMBRA_BUILD_TYPE:-RelWithDebInfo}
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
fi
cmake --build "$build" -j "$(nproc)"
