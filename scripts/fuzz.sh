#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ./build-fuzz) and fuzzes the file
# loaders: the settings file, the results file, practice texts, the CP932
# codec, the number and colour parsers and the keystroke import.
#
#   fuzz.sh [SECONDS] [TARGET...]  fuzz each target for SECONDS (default 60),
#                                  one after another, at the lowest priority;
#                                  new inputs go to build-fuzz/fuzz/work/<target>,
#                                  crashes to build-fuzz/fuzz/artifacts/
#   fuzz.sh --ci                   replay each seed corpus and fuzz briefly
#                                  (the ctest tests of the fuzz build)
#
# Targets: settings results practice_text cp932 numbers graphs keystrokes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMBRA_FUZZ_BUILD_DIR:-$root/build-fuzz}
all_targets=(settings results practice_text cp932 numbers graphs keystrokes)

"$root/scripts/setup.sh" --tests
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLUMBRA_FUZZ=ON -DLUMBRA_BUILD_TESTS=OFF -DLUMBRA_BUILD_BENCH=OFF
fi
build_targets=()
for t in "${all_targets[@]}"; do build_targets+=("fuzz_$t"); done
cmake --build "$build" -j "$(nproc)" --target "${build_targets[@]}"

export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
if [[ "${1:-}" == "--ci" ]]; then
  cd "$build"
  exec ctest --output-on-failure -L fuzz
fi
# Long runs: allocation stacks cost most of the time under ASan; a crash found
# is replayed with the defaults (fuzz_<target> <artifact>) for the full report.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:malloc_context_size=0:quarantine_size_mb=16}

seconds=${1:-60}
shift || true
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=("${all_targets[@]}")
mkdir -p "$build/fuzz/artifacts" "$build/fuzz/logs"
status=0
for t in "${targets[@]}"; do
  work="$build/fuzz/work/$t"
  mkdir -p "$work"
  dict=()
  [[ -f "$root/fuzz/$t.dict" ]] && dict=("-dict=$root/fuzz/$t.dict")
  max_len=()
  [[ "$t" == results || "$t" == graphs ]] && max_len=(-max_len=8192)  # every version, shorter and longer than a file
  log="$build/fuzz/logs/$t.log"
  echo "fuzz_$t: $seconds s (log: $log)"
  if nice -n 19 "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 "${dict[@]}" "${max_len[@]}" -artifact_prefix="$build/fuzz/artifacts/$t-" \
      "$work" "$root/fuzz/corpus/$t" > "$log" 2>&1; then
    result=ok
  else
    result="CRASH (see $log and $build/fuzz/artifacts/)"
    status=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || true)
  echo "fuzz_$t: ${runs:-?} executions, $result"
done
exit $status
