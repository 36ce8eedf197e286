#!/usr/bin/env bash
# The main job: builds the Kelvora.vst3 and Kelvora.lv2 bundles and the renderer, installs the
# bundles where Linux DAWs look for plug-ins (~/.vst3/ and ~/.lv2/), and renders the built-in
# demo through the installed VST 3 plug-in exactly as a host would drive it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVORA_TESTS=OFF \
  -DKELVORA_BENCH=OFF >/dev/null
cmake --build build/release -j "$(nproc)" --target Kelvora Kelvora_lv2 kelvora-render
cmake --build build/release --target install-vst3 install-lv2

mkdir -p out
build/release/tools/kelvora-render --plugin "$HOME/.vst3/Kelvora.vst3" \
  "Input Gain=80" "Wet=100" Oversampling=2 -o out/kelvora-demo.wav
