#!/usr/bin/env bash
# Builds the browser module and page into build-web/web (qzcore.js,
# qzcore.wasm, index.html, app.js, style.css): Debian's emscripten, and
# newmat compiled from Debian's own source of the version Debian ships.
#   web/build.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-web}
# Debian's emscripten finds its JavaScript tools through Debian's node
# modules (node-acorn) when node is not Debian's own.
export NODE_PATH=/usr/share/nodejs
newmat=$build/newmat-1.10.4
if [ ! -f "$newmat/newmat.h" ]; then
  mkdir -p "$build"
  tarball=$build/newmat_1.10.4.orig.tar.gz
  curl -sSf -o "$tarball" http://deb.debian.org/debian/pool/main/n/newmat/newmat_1.10.4.orig.tar.gz
  # The checksum Debian's newmat_1.10.4-8.dsc gives.
  echo "3d08d4cd0681c812c6f21f9a1498bd129746cc0bb74d771864768bdbb1f6fc91  $tarball" | sha256sum -c --quiet
  tar xzf "$tarball" -C "$build"
fi
emcmake cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQZCORE_BUILD_WEB=ON \
  -DQZCORE_BUILD_TESTS=OFF -DQZCORE_BUILD_TOOLS=OFF -DQZCORE_BUILD_CAIRO=OFF -DQZCORE_THREADS=OFF \
  -DQZCORE_NEWMAT_SOURCE="$newmat" >/dev/null
cmake --build "$build" --target qzcore_web
echo "web/build.sh: $build/web ($(stat -c %s "$build/web/qzcore.wasm") bytes of qzcore.wasm)"
