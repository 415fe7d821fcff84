#!/usr/bin/env bash
# Builds the benchmarks in Release (./build-release) and runs every bench_*
# program with a short minimum time per benchmark. They measure; they never
# fail on a time. Extra arguments go to every program, e.g.
#   scripts/bench.sh --benchmark_filter=Image
# Environment: BENCH_MIN_TIME (seconds, default 0.2), LUMBRA_RELEASE_DIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMBRA_RELEASE_DIR:-$root/build-release}
min_time=${BENCH_MIN_TIME:-0.2}

"$root/scripts/setup.sh" --tests
[[ -f "$build/CMakeCache.txt" ]] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
mapfile -t benches < <(cd "$root/bench" && ls bench_*.cpp | sed 's/\.cpp$//')
cmake --build "$build" --target "${benches[@]}"

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
for b in "${benches[@]}"; do
  echo "== $b"
  "$build/bench/$b" --benchmark_min_time="$min_time" "$@"
done
