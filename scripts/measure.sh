#!/usr/bin/env bash
# Measures the built plug-in at its default settings and refreshes the README's "Measured"
# section: the plots in docs/measured/ and the table of aliasing and CPU cost per
# "Oversampling" setting. The full results (CSV files, spectrogram data) stay in out/measured/.
# KELVORA_BUILD names another build folder (default build/release).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build="${KELVORA_BUILD:-build/release}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVORA_TESTS=OFF \
  -DKELVORA_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target Kelvora kelvora-analyze

"$build/tools/kelvora-analyze" --plugin "$build/Kelvora.vst3" -o out/measured

mkdir -p docs/measured
for f in transfer harmonics bias aliasing spectrogram cpu; do
  cp "out/measured/$f.png" docs/measured/
done
# The small tables go along for readers who want the numbers behind the plots.
for f in conditions harmonics bias aliasing cpu; do
  cp "out/measured/$f.csv" docs/measured/
done
/usr/bin/python3 tools/analyze/measured_table.py out/measured --into README.md
