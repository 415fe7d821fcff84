#!/usr/bin/env bash
# Sets up what is missing, builds Lumbra with its tests and runs every test:
# logic and widget tests (offscreen) and end-to-end tests of the real program
# in Xvfb driven by xdotool.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMBRA_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh" --tests
if [[ -f "$build/CMakeCache.txt" ]] && grep -q 'LUMBRA_BUILD_TESTS:BOOL=OFF' "$build/CMakeCache.txt"; then
  cmake -S "$root" -B "$build" -DLUMBRA_BUILD_TESTS=ON -DLUMBRA_BUILD_BENCH=ON
fi
"$root/scripts/build.sh" -DLUMBRA_BUILD_TESTS=ON -DLUMBRA_BUILD_BENCH=ON
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
