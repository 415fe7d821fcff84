#!/usr/bin/env bash
# Sets up what is missing, builds and launches Lumbra.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" -DLUMBRA_BUILD_TESTS=OFF -DLUMBRA_BUILD_BENCH=OFF
exec "${LUMBRA_BUILD_DIR:-$root/build}/bin/Lumbra"
