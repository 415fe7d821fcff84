#!/usr/bin/env bash
# Builds the Debian package, installs it on this machine, validates the
# desktop entry and AppStream data, and runs the installed program once with
# real key presses (a beginner test) for a user with an empty home folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMBRA_PACKAGE_BUILD_DIR:-$root/build-package}
"$root/scripts/setup.sh" --tests
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
for p in desktop-file-utils appstream dpkg-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p"
done

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMBRA_BUILD_TESTS=OFF -DLUMBRA_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)" --target Lumbra
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/lumbra_*.deb | head -n1)
echo "package: $deb"

desktop-file-validate "$root/data/lumbra.desktop"
appstreamcli validate --no-net --pedantic "$root/data/io.github.lumbra.Lumbra.metainfo.xml" ||
  appstreamcli validate --no-net "$root/data/io.github.lumbra.Lumbra.metainfo.xml"

"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb"
bash "$root/tests/e2e/installed_program.sh" /usr/bin/Lumbra "$build/e2e-installed"
