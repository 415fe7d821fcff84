#!/usr/bin/env bash
# Installs the Debian packages Lumbra needs when they are missing.
#   setup.sh          what building and running the program needs
#   setup.sh --tests  also what the tests and checks need (GoogleTest, Xvfb,
#                     xdotool, clang for the fuzz targets, clang-format ...)
# Works as root, or as a normal user through sudo.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libqt6sql6-sqlite qt6-charts-dev libqt6opengl6-dev libgl-dev libfontconfig-dev
          fonts-ipafont-gothic ccache qt6-translations-l10n libcanberra-dev libasound2 mecab-ipadic)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool x11-xkb-utils xauth sqlite3 clang libclang-rt-14-dev clang-format-14)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
  sudo=()
else
  command -v sudo >/dev/null || { echo "Lumbra: please install as root: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
echo "Lumbra: installing ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
