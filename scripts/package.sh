#!/usr/bin/env bash
# Builds the Debian package out/kelvora_<version>_amd64.deb from a Release build of its own
# (build/package): the plug-in for /usr/lib/vst3, kelvora-render and kelvora-analyze for
# /usr/bin, their manual pages, the licence and the changelog.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVORA_TESTS=OFF \
  -DKELVORA_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target deb

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
mkdir -p out
cp "$build/kelvora_${version}_amd64.deb" out/
echo "Wrote out/kelvora_${version}_amd64.deb"
