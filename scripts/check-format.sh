#!/usr/bin/env bash
# Lists every C++ file of the tree that differs from what clang-format makes
# of it under the project's .clang-format, and fails when there is one.
#   check-format.sh          check
#   check-format.sh --fix    format those files in place
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
format=$(command -v clang-format-14 || command -v clang-format || true)
[[ -n "$format" ]] || { echo "clang-format is not installed (Debian: clang-format-14)" >&2; exit 2; }
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ "${1:-}" == "--fix" ]]; then
  "$format" -i --style=file "${files[@]}"
  exit 0
fi
bad=0
for f in "${files[@]}"; do
  if ! "$format" --style=file "$f" | cmp -s - "$f"; then
    echo "$f"
    bad=$((bad + 1))
  fi
done
if [[ $bad -gt 0 ]]; then
  echo "$bad of ${#files[@]} files differ from .clang-format (scripts/check-format.sh --fix formats them)" >&2
  exit 1
fi
echo "${#files[@]} files match .clang-format"
