#!/usr/bin/env bash
# Builds Lumbra with AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-asan (Debug) and runs the whole test suite there, end-to-end tests
# included. Any memory error, leak of the program's own or undefined
# behaviour fails the test that caused it.
#   test-sanitized.sh [CTEST ARGS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMBRA_ASAN_BUILD_DIR:-$root/build-asan}
"$root/scripts/setup.sh" --tests
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMBRA_SANITIZE=ON \
    -DLUMBRA_BUILD_TESTS=ON -DLUMBRA_BUILD_BENCH=OFF
fi
cmake --build "$build" -j "$(nproc)"

# Leaks in the system libraries under Qt are suppressed; everything else counts.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/scripts/sanitizers/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
