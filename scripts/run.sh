#!/usr/bin/env bash
# The main job: builds the release renderer and renders the built-in demo through the effect.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVORA_TESTS=OFF >/dev/null
cmake --build build/release -j "$(nproc)" --target kelvora-render

mkdir -p out
build/release/tools/kelvora-render --seed 1 "Input Gain=80" "Wet=100" Oversampling=2 \
  -o out/kelvora-demo.wav
